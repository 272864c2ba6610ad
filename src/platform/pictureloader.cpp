#include "platform/pictureloader.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <utility>

namespace mosaicon::platform {

namespace {

// The picture a click asks for goes before those read ahead.
constexpr int AskedPriority = 1;
constexpr int AheadPriority = 0;
// The picture asked for and the two read ahead (the next and the previous
// entry) are read at once; each worker holds one file while it decodes.
constexpr int Workers = 3;

} // namespace

PictureLoader::PictureLoader(QObject* parent) : QObject(parent)
{
    ImageControl::prepareDecoder();
    m_pool.setMaxThreadCount(Workers);
    m_displaySize = [](QSize natural) { return natural; };
}

PictureLoader::~PictureLoader()
{
    for (const Job& job : std::as_const(m_jobs))
        job.wanted->store(false);
    m_pool.clear();
    m_pool.waitForDone();
}

void PictureLoader::setDisplaySize(ImageControl::DisplaySize displaySize)
{
    m_displaySize = std::move(displaySize);
    // What is on its way was read at the old size: its delivery is dropped.
    ++m_generation;
    for (const Job& job : std::as_const(m_jobs))
        job.wanted->store(false);
    m_jobs.clear();
    m_kept.clear();
    m_ahead.clear();
    if (loading() && !m_startPending)
        start(m_asked, AskedPriority);
}

bool PictureLoader::wanted(const QString& path) const
{
    return (loading() && path == m_asked) || m_ahead.contains(path);
}

void PictureLoader::show(const QString& path, Delivery deliver)
{
    m_asked = path;
    m_deliver = std::move(deliver);
    // A worker passes over what an earlier click asked for.
    for (auto it = m_jobs.cbegin(); it != m_jobs.cend(); ++it)
        it->wanted->store(wanted(it.key()));
    if (const Kept* kept = keptFresh(path)) {
        const LoadedPicture picture = kept->picture;
        this->deliver(picture);
        return;
    }
    if (!m_jobs.contains(path))
        startAskedSoon();
}

// A window opening asks for its first picture before it is laid out, and
// learns its frame's size before it next waits for events: reading from then
// on reads the picture once, at the size it is shown.
void PictureLoader::startAskedSoon()
{
    if (m_startPending)
        return;
    m_startPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_startPending = false;
            if (loading() && !m_jobs.contains(m_asked))
                start(m_asked, AskedPriority);
        },
        Qt::QueuedConnection);
}

void PictureLoader::cancel()
{
    if (!loading())
        return;
    m_deliver = {};
    for (auto it = m_jobs.cbegin(); it != m_jobs.cend(); ++it)
        it->wanted->store(wanted(it.key()));
    emit settled();
}

bool PictureLoader::waitForPicture(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    // A delivery may ask for another picture at once.
    while (loading()) {
        const qint64 left = timeoutMs - timer.elapsed();
        if (left <= 0)
            return false;
        QEventLoop loop;
        connect(this, &PictureLoader::settled, &loop, &QEventLoop::quit);
        QTimer::singleShot(int(left), &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void PictureLoader::readAhead(const QStringList& paths)
{
    m_ahead = paths;
    for (auto it = m_kept.begin(); it != m_kept.end();) {
        if (it.key() == m_asked || m_ahead.contains(it.key()))
            ++it;
        else
            it = m_kept.erase(it);
    }
    for (auto it = m_jobs.cbegin(); it != m_jobs.cend(); ++it)
        it->wanted->store(wanted(it.key()));
    for (const QString& path : paths) {
        if (!m_kept.contains(path) && !m_jobs.contains(path))
            start(path, AheadPriority);
    }
}

void PictureLoader::start(const QString& path, int priority)
{
    auto wanted = std::make_shared<std::atomic<bool>>(true);
    m_jobs.insert(path, Job{wanted});
    const quint64 generation = m_generation;
    m_pool.start(
        [this, path, generation, wanted, displaySize = m_displaySize] {
            Kept kept;
            const bool skipped = !wanted->load();
            if (!skipped) {
                // Taken before reading, so that a change while it is read shows later.
                const QFileInfo file(path);
                kept.size = file.size();
                kept.modified = file.lastModified();
                kept.picture = ImageControl::loadForDisplay(path, displaySize);
            }
            QMetaObject::invokeMethod(
                this,
                [this, generation, path, kept = std::move(kept), skipped] {
                    finished(generation, path, kept, skipped);
                },
                Qt::QueuedConnection);
        },
        priority);
}

void PictureLoader::finished(quint64 generation, const QString& path, const Kept& kept,
                             bool skipped)
{
    if (generation != m_generation)
        return;
    m_jobs.remove(path);
    if (skipped) {
        // Wanted again after the worker had passed it over.
        if (wanted(path))
            start(path, loading() && path == m_asked ? AskedPriority : AheadPriority);
        return;
    }
    const bool asked = loading() && path == m_asked;
    if (asked || m_ahead.contains(path))
        m_kept.insert(path, kept);
    if (asked)
        deliver(kept.picture);
}

const PictureLoader::Kept* PictureLoader::keptFresh(const QString& path)
{
    const auto it = m_kept.find(path);
    if (it == m_kept.end())
        return nullptr;
    const QFileInfo file(path);
    if (file.size() != it->size || file.lastModified() != it->modified) {
        m_kept.erase(it);
        return nullptr;
    }
    return &*it;
}

void PictureLoader::deliver(const LoadedPicture& picture)
{
    // The delivery may ask for the next picture at once.
    const Delivery handOver = std::exchange(m_deliver, Delivery());
    handOver(picture);
    emit settled();
}

} // namespace mosaicon::platform
