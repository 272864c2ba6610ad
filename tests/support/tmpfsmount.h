#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <unistd.h>

// A small file system of its own, mounted on a new folder while it lives: a
// second volume for moves across file systems, or a disk that is nearly
// full, or one with room for only so many files (inodes; 0 for no limit,
// and its root folder takes one). Mounting needs root; a test skips with reason() when it failed.
// Declare it after the test's temporary folder, so that it goes first.
class TmpfsMount
{
public:
    TmpfsMount(const QString& folder, qint64 bytes, int inodes = 0)
        : m_folder(QFile::encodeName(folder))
    {
        if (::geteuid() != 0) {
            m_reason = QStringLiteral("mounting a tmpfs needs root");
            return;
        }
        if (!QDir().mkpath(folder)) {
            m_reason = QStringLiteral("cannot make %1").arg(folder);
            return;
        }
        QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
        if (inodes > 0)
            options += ",nr_inodes=" + QByteArray::number(inodes);
        if (::mount("tmpfs", m_folder.constData(), "tmpfs", 0, options.constData()) != 0) {
            m_reason = QStringLiteral("cannot mount a tmpfs on %1: %2")
                           .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_mounted = true;
    }
    ~TmpfsMount()
    {
        // Lazily when busy, so that the test's folder can still go.
        if (m_mounted && ::umount(m_folder.constData()) != 0)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool mounted() const { return m_mounted; }
    QString reason() const { return m_reason; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
    QString m_reason;
};

