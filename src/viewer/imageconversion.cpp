#include "viewer/imageconversion.h"

#include "pagekit/imagecopies.h"
#include "pagekit/thumbnails.h"

#include "viewer/fileoperations.h"

#include "settings/program.h"
#include "settings/warning.h"

#include "platform/files.h"
#include "platform/imagecontrol.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "platform/ui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

namespace mosaicon::viewer {

namespace {

QString recordSection()
{
    return QStringLiteral("Thumbnails (vi)");
}

// What one conversion leaves: its result, and whether a thumbnail was made
// whose record is still to be written (records are written on the UI thread
// alone).
struct Conversion
{
    ConversionResult result;
    bool recordDue = false;
};

void failed(Conversion& c, const QString& error)
{
    c.result.outcome = ConversionResult::Failed;
    c.result.error = error;
}

QString outputFolder(const QString& sourceFolder, const ConversionPlace& place)
{
    return place.besideSource ? sourceFolder : place.targetDir;
}

// A JPEG source (".jpg", ".jpeg" or ".jpe" in any letter case).
bool isJpegName(const QString& name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ||
           suffix == QLatin1String("jpe");
}

// A thumbnail of a picture that already fits the thumbnail size: the View
// Images window copies the picture unchanged, the catalog makes nothing.
void leaveSmall(Conversion& c, const QString& source, const QString& folder, const QString& name,
                const ConversionPlace& place)
{
    if (!place.copySmallThumbnail) {
        c.result.outcome = ConversionResult::SmallLeft;
        return;
    }
    const QString copy = platform::joinPath(folder, name);
    c.result.output = copy;
    if (platform::isSameFile(copy, source)) {
        c.result.outcome = ConversionResult::SameAsSource;
        return;
    }
    // An earlier copy of this very picture is there already: nothing to write.
    if (QFileInfo(copy).isFile() && platform::haveSameBytes(copy, source)) {
        c.result.outcome = ConversionResult::CopiedSmall;
        return;
    }
    c.result.error = thumbnail_in_the_way(copy, source);
    if (!c.result.error.isEmpty()) {
        c.result.outcome = ConversionResult::Occupied;
        return;
    }
    QString error;
    if (!platform::copyFile(source, copy, &error, platform::Flush::ToCache)) {
        failed(c, QStringLiteral("The picture %1 could not be copied to %2: %3").arg(source, copy, error));
        return;
    }
    c.result.outcome = ConversionResult::CopiedSmall;
}

QString convertedName(const QString& fileName, ConversionKind kind, const ThumbnailRecipe& recipe)
{
    if (kind == ConversionKind::Thumbnail)
        return thumbnail_file_name(fileName, ThumbnailRule::Conversion, recipe);
    const qsizetype dot = fileName.indexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot) + QStringLiteral(".jpg");
}

ReducedFor purposeOf(ConversionKind kind)
{
    return kind == ConversionKind::Thumbnail ? ReducedFor::WindowThumbnail : ReducedFor::WindowJpeg;
}

// Makes one output on the calling thread's engine, by the recipe; reads no
// settings and writes no record.
Conversion convertFile(platform::ImageControl& engine, const QString& source, ConversionKind kind,
                       const ConversionPlace& place, const ThumbnailRecipe& recipe)
{
    Conversion c;
    const auto [sourceFolder, name] = platform::split_file_path(source);
    c.result.output = name;
    // Before the test for the file: the name may lead to another one.
    if (platform::hasUndecodableName(source)) {
        failed(c, undecodable_name_reason());
        return c;
    }
    if (!platform::file_exists(source)) {
        c.result.outcome = ConversionResult::SourceMissing;
        return c;
    }
    const QString folder = outputFolder(sourceFolder, place);
    const QString output = platform::joinPath(folder, convertedName(name, kind, recipe));
    const bool thumbnail = kind == ConversionKind::Thumbnail;
    // Beside itself a JPEG is its own JPEG copy, whatever the letter case of
    // its extension: no second one differing only in case.
    if (!thumbnail && isJpegName(name) && platform::isSameFile(folder, sourceFolder)) {
        c.result.output = source;
        c.result.outcome = ConversionResult::AlreadyExists;
        return c;
    }
    // An existing JPEG stays as it is: looked at before the picture is decoded for nothing.
    if (!thumbnail && QFileInfo(output).exists()) {
        c.result.output = output;
        c.result.outcome = ConversionResult::AlreadyExists;
        return c;
    }
    const Reduction r = make_reduced_picture(engine, purposeOf(kind), source, output, recipe);
    switch (r.outcome) {
    case Reduction::Unreadable:
        failed(c, r.error);
        return c;
    case Reduction::Small:
        leaveSmall(c, source, folder, name, place);
        return c;
    case Reduction::Made:
        c.result.outcome = ConversionResult::Made;
        c.recordDue = thumbnail;
        break;
    case Reduction::SamePicture:
        c.result.outcome = ConversionResult::SameAsSource;
        break;
    case Reduction::InTheWay:
        c.result.outcome = ConversionResult::Occupied;
        c.result.error = r.error;
        break;
    case Reduction::Decoded:
    case Reduction::Failed:
        failed(c, r.error);
        break;
    }
    c.result.output = output;
    return c;
}

QString recordError(const ConversionResult& result)
{
    return QStringLiteral("%1 was made, but its record could not be saved: %2")
        .arg(result.output, settingsFile().errorString());
}

// Saves the records of thumbnails just made, with one write for all that
// finished together, so that they outlive a run killed later; a result whose
// record could not be saved becomes Failed.
void saveRecords(const std::vector<std::pair<QString, Conversion*>>& made)
{
    platform::ProfileFile& ini = settingsFile();
    std::vector<Conversion*> due;
    {
        const platform::ProfileBatch batch;
        for (const auto& [source, c] : made) {
            if (c->recordDue) {
                ini.put(recordSection(), source, c->result.output);
                due.push_back(c);
            }
        }
        // A lock another program holds is told once by the settings file's
        // notice; the records stay in memory for the next write.
        if (due.empty() || ini.flush() || ini.lockedByAnother())
            return;
    }
    for (Conversion* c : due)
        failed(*c, recordError(c->result));
}

// One key a file, whatever the spelling of its folder, so that two paths to
// one file are known as one.
class FileKeys
{
public:
    QString key(const QString& path)
    {
        const QFileInfo info(path);
        const QString folder = info.path();
        auto it = m_folders.constFind(folder);
        if (it == m_folders.constEnd()) {
            QString canonical = QFileInfo(folder).canonicalFilePath();
            if (canonical.isEmpty())
                canonical = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
            it = m_folders.insert(folder, canonical);
        }
        return platform::joinPath(*it, info.fileName());
    }

private:
    QHash<QString, QString> m_folders;
};

// The files a conversion of that source may read or write.
QStringList filesTouched(const QString& source, ConversionKind kind, const ConversionPlace& place,
                         const ThumbnailRecipe& recipe)
{
    const auto [sourceFolder, name] = platform::split_file_path(source);
    const QString folder = outputFolder(sourceFolder, place);
    QStringList files{source, platform::joinPath(folder, convertedName(name, kind, recipe))};
    if (kind == ConversionKind::Thumbnail && place.copySmallThumbnail)
        files.append(platform::joinPath(folder, name));
    return files;
}

// For each conversion, the earlier ones it must wait for: the last before it
// to touch each file it touches. Conversions that share no file run in any
// order; those that do run in list order, so the files come out as one
// thread going down the list leaves them.
std::vector<std::vector<qsizetype>> waitsFor(const QStringList& sources, ConversionKind kind,
                                             const ConversionPlace& place, const ThumbnailRecipe& recipe)
{
    FileKeys keys;
    QHash<QString, qsizetype> lastToTouch;
    std::vector<std::vector<qsizetype>> waits(size_t(sources.size()));
    for (qsizetype k = 0; k < sources.size(); ++k) {
        for (const QString& file : filesTouched(sources.at(k), kind, place, recipe)) {
            const QString key = keys.key(file);
            const auto last = lastToTouch.constFind(key);
            if (last != lastToTouch.constEnd() && *last != k)
                waits[size_t(k)].push_back(*last);
            lastToTouch.insert(key, k);
        }
    }
    return waits;
}

// The conversions of one list: made beside the window, taken up in list order
// by the thread that started them, by the thumbnail settings of its start.
class ListRun
{
public:
    ListRun(QStringList sources, ConversionKind kind, ConversionPlace place)
        : m_sources(std::move(sources)), m_kind(kind), m_place(std::move(place)), m_recipe(thumbnail_recipe()),
          m_waits(waitsFor(m_sources, m_kind, m_place, m_recipe)), m_conversions(size_t(m_sources.size())),
          m_finished(size_t(m_sources.size()), 0)
    {
    }

    // On a worker thread, before k starts: what its pictures hold.
    qint64 pixels(qsizetype k) const { return reduced_picture_pixels(purposeOf(m_kind), m_sources.at(k), m_recipe); }

    // On a worker thread: converts k once the conversions it waits for are done.
    void convert(platform::ImageControl& engine, qsizetype k)
    {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] {
                return std::all_of(m_waits[size_t(k)].begin(), m_waits[size_t(k)].end(),
                                   [&](qsizetype j) { return m_finished[size_t(j)] != 0; });
            });
        }
        Conversion c = convertFile(engine, m_sources.at(k), m_kind, m_place, m_recipe);
        {
            const std::lock_guard lock(m_mutex);
            m_conversions[size_t(k)] = std::move(c);
            m_finished[size_t(k)] = 1;
        }
        m_changed.notify_all();
    }

    // The finished conversions from `from` on, up to the first unfinished
    // one, their thumbnails' records saved as they are taken (records go into
    // the file in list order, as one thread leaves them); the index after the last.
    qsizetype takeFinished(qsizetype from, std::vector<Conversion*>& taken)
    {
        qsizetype end = from;
        {
            const std::lock_guard lock(m_mutex);
            while (end < m_sources.size() && m_finished[size_t(end)])
                ++end;
        }
        taken.clear();
        // A finished conversion is no longer touched by the workers.
        std::vector<std::pair<QString, Conversion*>> made;
        for (qsizetype k = from; k < end; ++k) {
            made.emplace_back(m_sources.at(k), &m_conversions[size_t(k)]);
            taken.push_back(&m_conversions[size_t(k)]);
        }
        saveRecords(made);
        return end;
    }

    qsizetype size() const { return m_sources.size(); }

private:
    const QStringList m_sources;
    const ConversionKind m_kind;
    const ConversionPlace m_place;
    const ThumbnailRecipe m_recipe;
    const std::vector<std::vector<qsizetype>> m_waits;
    std::vector<Conversion> m_conversions;
    std::vector<char> m_finished;
    std::mutex m_mutex;
    std::condition_variable m_changed;
};

} // namespace

QString converted_name(const QString& fileName, ConversionKind kind)
{
    return convertedName(fileName, kind, thumbnail_recipe());
}

void warn_cannot_create()
{
    warn(QStringLiteral("Cannot create image from this file."));
}

ConversionResult create_jpeg(const QString& source, ConversionKind kind, const ConversionPlace& place)
{
    platform::ImageControl engine;
    Conversion c = convertFile(engine, source, kind, place, thumbnail_recipe());
    saveRecords({{source, &c}});
    return c.result;
}

QList<ConversionResult> convert_list(const QStringList& paths, ConversionKind kind, const ConversionPlace& place,
                                     const std::function<bool(const QString& path)>& wanted,
                                     const std::function<void(qsizetype index, const ConversionResult&)>& done,
                                     RunStop* stop)
{
    QList<ConversionResult> results(paths.size());
    QStringList sources;
    QList<qsizetype> indexes;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (!wanted || wanted(paths.at(i))) {
            sources.append(paths.at(i));
            indexes.append(i);
        }
    }
    if (sources.isEmpty())
        return results;
    ListRun run(sources, kind, place);
    RunStop ownStop;
    // The window stays live while the workers convert; results are handed on
    // in list order, each thumbnail's record saved the moment it is taken,
    // so that a run killed later leaves the records of what it made. All
    // that finished together are taken at once, with one write of the records.
    std::vector<Conversion*> taken;
    qsizetype reported = 0;
    run_beside_window(
        run.size(),
        [&run](platform::ImageControl& engine, qsizetype k) {
            // A picture that fails is told with the others at the end; the list goes on.
            run.convert(engine, k);
            return true;
        },
        [&](qsizetype k) {
            if (k < reported)
                return true;
            const qsizetype from = reported;
            reported = run.takeFinished(from, taken);
            for (qsizetype j = from; j < reported; ++j) {
                results[indexes.at(j)] = taken[size_t(j - from)]->result;
                if (done)
                    done(indexes.at(j), results.at(indexes.at(j)));
            }
            return true;
        },
        stop ? *stop : ownStop, [&run](qsizetype k) { return run.pixels(k); });
    return results;
}

} // namespace mosaicon::viewer
