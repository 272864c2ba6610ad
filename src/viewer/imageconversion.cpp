#include "viewer/imageconversion.h"

#include "pagekit/imagecopies.h"
#include "pagekit/thumbnails.h"

#include "settings/helpers.h"
#include "settings/program.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/imagecontrol.h"
#include "platform/profilefile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace mosaicon::viewer {

namespace {

QString recordSection()
{
    return QStringLiteral("Thumbnails (vi)");
}

QString directorySection()
{
    return QStringLiteral("Thumbnail Directories");
}

QString directoryKey(int n)
{
    return QStringLiteral("dir%1").arg(n);
}

// The registry is read as it was designed: up to the first empty key, however
// many keys follow it.
constexpr int MaxDirectoryKeys = 99999;

platform::ProfileFile& records()
{
    return platform::profile(program().ini_file_path);
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
    QString error;
    if (!platform::copyFile(source, copy, &error, platform::Flush::ToCache)) {
        failed(c, QStringLiteral("The picture %1 could not be copied to %2: %3").arg(source, copy, error));
        return;
    }
    c.result.outcome = ConversionResult::CopiedSmall;
}

// Makes one output on the calling thread's engine, by the settings in memory;
// reads no settings file and writes no record.
Conversion convertFile(platform::ImageControl& engine, const QString& source, ConversionKind kind,
                       const ConversionPlace& place, int size)
{
    Conversion c;
    QString sourceFolder;
    QString name;
    split_file_path(source, sourceFolder, name);
    c.result.output = name;
    if (!file_exists(source)) {
        c.result.outcome = ConversionResult::SourceMissing;
        return c;
    }
    const QString folder = outputFolder(sourceFolder, place);
    const QString output =
        platform::joinPath(folder, converted_name(name, kind, settings().prefix_thumbnail_file));
    const bool thumbnail = kind == ConversionKind::Thumbnail;
    // An existing JPEG stays as it is: looked at before the picture is decoded for nothing.
    if (!thumbnail && QFileInfo(output).exists()) {
        c.result.output = output;
        c.result.outcome = ConversionResult::AlreadyExists;
        return c;
    }
    engine.setFitMode(1);
    // Emptied first, so a new limit never decodes the previous picture again.
    engine.setFileName(QString());
    if (settings().thumb_style != 0)
        engine.setSizeLimit(styled_thumbnail_limit(size));
    else
        engine.setSizeLimit(thumbnail ? size + 4 : 0);
    if (!engine.setFileName(source)) {
        failed(c, engine.errorString());
        return c;
    }
    if (thumbnail && engine.imageWidth() <= size && engine.imageHeight() <= size) {
        leaveSmall(c, source, folder, name, place);
        return c;
    }
    c.result.output = output;
    // Nothing made from a picture replaces that picture.
    if (platform::isSameFile(output, source)) {
        c.result.outcome = ConversionResult::SameAsSource;
        return c;
    }
    prepare_thumbnail_engine(engine, source, size);
    // The save replaces an older file atomically; a failed save keeps it.
    if (!engine.saveAsJpeg(output, platform::Flush::ToCache)) {
        failed(c, engine.errorString());
        return c;
    }
    c.result.outcome = ConversionResult::Made;
    c.recordDue = thumbnail;
    return c;
}

QString recordError(const ConversionResult& result)
{
    return QStringLiteral("%1 was made, but its record could not be saved: %2")
        .arg(result.output, records().errorString());
}

// Writes the records of made thumbnails, in order, in one write of the
// settings file; a result whose record could not be saved becomes Failed.
void writeRecords(const QStringList& sources, std::vector<Conversion*>& conversions)
{
    platform::ProfileFile& ini = records();
    bool any = false;
    {
        const platform::ProfileBatch batch;
        for (size_t i = 0; i < conversions.size(); ++i) {
            if (!conversions[i]->recordDue)
                continue;
            ini.put(recordSection(), sources.at(qsizetype(i)), conversions[i]->result.output);
            any = true;
        }
        if (!any || ini.flush())
            return;
    }
    for (Conversion* c : conversions)
        if (c->recordDue)
            failed(*c, recordError(c->result));
}

// Set for the span of a list conversion.
class BatchRunning
{
public:
    BatchRunning() { program().batch_create_running = true; }
    ~BatchRunning() { program().batch_create_running = false; }
    BatchRunning(const BatchRunning&) = delete;
    BatchRunning& operator=(const BatchRunning&) = delete;
};

} // namespace

QString converted_name(const QString& fileName, ConversionKind kind, bool prefixThumbnail)
{
    if (kind == ConversionKind::Thumbnail)
        return thumbnail_file_name(fileName, prefixThumbnail, false);
    const qsizetype dot = fileName.indexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot) + QStringLiteral(".jpg");
}

ConversionResult create_jpeg(const QString& source, ConversionKind kind, const ConversionPlace& place)
{
    platform::ImageControl engine;
    Conversion c = convertFile(engine, source, kind, place, thumbnail_size());
    if (c.recordDue) {
        std::vector<Conversion*> one{&c};
        writeRecords(QStringList{source}, one);
    }
    return c.result;
}

void register_thumbnail_directory(const QString& dir)
{
    if (dir.isEmpty())
        return;
    platform::ProfileFile& ini = records();
    int n = 1;
    for (; n <= MaxDirectoryKeys; ++n) {
        const QString value = ini.get(directorySection(), directoryKey(n));
        if (value.isEmpty())
            break;
        // Exact: on this platform a folder spelt in other letter case is another folder.
        if (value == dir)
            return;
    }
    if (n <= MaxDirectoryKeys)
        ini.put(directorySection(), directoryKey(n), dir);
}

QStringList thumbnail_directories()
{
    platform::ProfileFile& ini = records();
    QStringList dirs;
    for (int n = 1; n <= MaxDirectoryKeys; ++n) {
        const QString value = ini.get(directorySection(), directoryKey(n));
        if (value.isEmpty())
            break;
        dirs.append(value);
    }
    return dirs;
}

QList<ConversionResult> convert_list(const QStringList& paths, ConversionKind kind, const ConversionPlace& place,
                                     const std::function<bool(const QString& path)>& wanted,
                                     const std::function<void(qsizetype index, const ConversionResult&)>& done)
{
    const BatchRunning running;
    QList<ConversionResult> results(paths.size());
    const int size = thumbnail_size();
    platform::ImageControl engine;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (wanted && !wanted(paths.at(i)))
            continue;
        Conversion c = convertFile(engine, paths.at(i), kind, place, size);
        if (c.recordDue) {
            std::vector<Conversion*> one{&c};
            writeRecords(QStringList{paths.at(i)}, one);
        }
        results[i] = c.result;
        if (done)
            done(i, c.result);
        platform::doEvents();
    }
    return results;
}

} // namespace mosaicon::viewer
