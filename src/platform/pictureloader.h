#pragma once

#include "platform/imagecontrol.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>

namespace mosaicon::platform {

// Reads the pictures of a picture window on worker threads, at the size the
// window shows them, so that a click never waits for a decoder on the GUI
// thread. Only the newest picture asked for is handed over; the entries the
// user is likely to step to next are read ahead and a few of them are kept.
// Everything but the decoding happens on the thread that owns the loader.
class PictureLoader final : public QObject
{
    Q_OBJECT

public:
    using Delivery = std::function<void(const LoadedPicture&)>;

    explicit PictureLoader(QObject* parent = nullptr);
    // Waits for the decoders still running; nothing is handed over any more.
    ~PictureLoader() override;

    // How large pictures are read from now on. Drops every picture kept or on
    // its way; a picture asked for and not yet handed over is read again at
    // the new size.
    void setDisplaySize(ImageControl::DisplaySize displaySize);

    // Asks for the picture of a file. When it was read ahead (and the file is
    // unchanged since), deliver runs before show() returns; otherwise it runs
    // once the picture has been read, unless show() or cancel() was called again
    // meanwhile. Reading starts when events next run, at the size set by then.
    // A file that cannot be read is delivered too, with its error.
    void show(const QString& path, Delivery deliver);
    // The picture asked for is no longer wanted.
    void cancel();
    // A picture asked for has not been delivered yet.
    bool loading() const { return bool(m_deliver); }
    // Runs events until the picture asked for has been delivered: for tests
    // and the benchmark. False when it was not within the time.
    bool waitForPicture(int timeoutMs = 10000);
    // No picture is being read, asked for or ahead: for the benchmark.
    bool idle() const { return m_jobs.isEmpty() && !loading(); }

    // Reads these files ahead, in the background, and keeps their pictures
    // with the one last asked for; every other picture kept is dropped.
    void readAhead(const QStringList& paths);

signals:
    // A picture asked for has been delivered, or is no longer asked for.
    void settled();

private:
    struct Job
    {
        // Cleared when the picture is no longer wanted, so that a worker that
        // has not started on it yet passes it over.
        std::shared_ptr<std::atomic<bool>> wanted;
    };
    struct Kept
    {
        LoadedPicture picture;
        qint64 size = -1;
        QDateTime modified;
    };

    void start(const QString& path, int priority);
    // Starts reading the picture asked for once events run again.
    void startAskedSoon();
    void finished(quint64 generation, const QString& path, const Kept& kept, bool skipped);
    bool wanted(const QString& path) const;
    // The kept picture of path, unless its file has changed since.
    const Kept* keptFresh(const QString& path);
    void deliver(const LoadedPicture& picture);

    QThreadPool m_pool;
    ImageControl::DisplaySize m_displaySize;
    quint64 m_generation = 0;
    QHash<QString, Job> m_jobs;
    QHash<QString, Kept> m_kept;
    QStringList m_ahead;
    QString m_asked;
    Delivery m_deliver;
    // startAskedSoon() has not started it yet.
    bool m_startPending = false;
};

} // namespace mosaicon::platform
