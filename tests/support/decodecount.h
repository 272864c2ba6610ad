#pragma once

#include "platform/imagecontrol.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

// Counts how often each picture file is decoded while it lives, on any thread.
class DecodeCount
{
public:
    DecodeCount()
    {
        counts().clear();
        mosaicon::platform::set_decode_watcher(&seen);
    }
    ~DecodeCount() { mosaicon::platform::set_decode_watcher(nullptr); }
    DecodeCount(const DecodeCount&) = delete;
    DecodeCount& operator=(const DecodeCount&) = delete;

    int of(const QString& path) const
    {
        const QMutexLocker hold(&lock());
        return counts().value(path);
    }
    // The files decoded more than once, each with its count.
    QStringList decodedTwice() const
    {
        const QMutexLocker hold(&lock());
        QStringList twice;
        for (auto it = counts().cbegin(); it != counts().cend(); ++it)
            if (it.value() > 1)
                twice << QStringLiteral("%1 x%2").arg(it.key()).arg(it.value());
        twice.sort();
        return twice;
    }

private:
    static void seen(const QString& path)
    {
        const QMutexLocker hold(&lock());
        ++counts()[path];
    }
    static QMutex& lock()
    {
        static QMutex m;
        return m;
    }
    static QHash<QString, int>& counts()
    {
        static QHash<QString, int> c;
        return c;
    }
};
