#include "pages/createhtml.h"

#include "pages/advancedpage.h"
#include "pages/verticalpage.h"

#include "pagekit/imageheaders.h"
#include "pagekit/pagerun.h"
#include "pagekit/thumbnails.h"

#include "settings/helpers.h"
#include "settings/mainformview.h"
#include "settings/program.h"
#include "settings/startup.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/imagecontrol.h"
#include "platform/numbers.h"
#include "platform/profilefile.h"
#include "platform/ui.h"

#include <QFileInfo>
#include <QSet>

#include <optional>

#include <algorithm>
#include <cmath>
#include <atomic>
#include <thread>
#include <vector>

namespace mosaicon {

namespace {

// "cat.gif" -> "cat_2.gif": a name no other image of the run has taken.
QString distinctName(const QString& name, const QSet<QString>& taken)
{
    if (!taken.contains(name))
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString ext = dot < 0 ? QString() : name.mid(dot);
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1_%2%3").arg(base).arg(n).arg(ext);
        if (!taken.contains(candidate))
            return candidate;
    }
}

struct Job
{
    QString source;
    QString copy;
    QString thumb; // empty: the image is its own thumbnail
    bool copyFirst = false;
    // What the worker leaves: the picture's size when it could be read,
    // why it could not, and a copy or thumbnail that could not be written.
    std::optional<QSize> pixels;
    QString readError;
    QString writeError;
    bool saved = false;
};

// One image's copy and thumbnail, on an engine of the calling thread's own.
void runJob(platform::ImageControl& engine, Job& job, int size)
{
    QString error;
    if (job.copyFirst && !platform::copyFile(job.source, job.copy, &error, platform::Flush::ToCache)) {
        job.writeError = QStringLiteral("The picture %1 could not be copied to %2: %3").arg(job.source, job.copy, error);
        return;
    }
    engine.setFitMode(1);
    // Emptied first, so a new limit never decodes the previous picture again.
    engine.setFileName(QString());
    engine.setSizeLimit(settings().thumb_style != 0 ? styled_thumbnail_limit(size) : size + 4);
    // A picture that cannot be loaded leaves the engine empty: no thumbnail
    // is ever made from the previous image.
    if (!engine.setFileName(job.copy)) {
        job.readError = engine.errorString();
        return;
    }
    job.pixels = QSize(engine.imageWidth(), engine.imageHeight());
    // Read, but not whole or not what its name says: published all the same, and told.
    job.readError = picture_damage(job.copy);
    if (!(size < engine.imageHeight() || size < engine.imageWidth()) || job.thumb.isEmpty())
        return;
    if (!prepare_thumbnail_engine(engine, job.copy, size))
        return;
    job.saved = engine.saveAsJpeg(job.thumb, platform::Flush::ToCache);
    if (!job.saved)
        job.writeError = QStringLiteral("The thumbnail %1 could not be written: %2").arg(job.thumb, engine.errorString());
}

void makeThumbnails(QList<Job>& jobs, int size)
{
    platform::ImageControl::prepareDecoder();
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        platform::ImageControl engine;
        for (qsizetype i = next++; i < jobs.size(); i = next++)
            runJob(engine, jobs[i], size);
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const qsizetype threads = std::min<qsizetype>(cores, jobs.size());
    std::vector<std::thread> pool;
    for (qsizetype t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
}

void statusDirect(const QString& text)
{
    if (MainFormView* view = program().main_form)
        view->showStatus(text);
}

// The run's copy of one image in the internet directory, its records moved
// with it. Copies keep their names unless two sources share one.
Job prepareCopy(const QString& source, QSet<QString>& taken)
{
    const Settings& s = settings();
    platform::ProfileFile& ini = platform::profile(program().ini_file_path);
    QString dir;
    QString name;
    split_file_path(source, dir, name);
    const QString copyName = distinctName(name, taken);
    taken.insert(copyName);

    Job job;
    job.source = source;
    job.copy = platform::joinPath(s.internet_dir, copyName);
    job.copyFirst = file_exists(source);
    const QString text = ini.get(QStringLiteral("Associated Text"), source);
    if (!text.isEmpty() && file_exists(text))
        ini.put(QStringLiteral("Associated Text"), job.copy, text);
    const QString title = ini.get(QStringLiteral("Associated Text Title"), source);
    if (!title.isEmpty())
        ini.put(QStringLiteral("Associated Text Title"), job.copy, title);
    return job;
}

// The thumbnail's name, on no name a copy or another thumbnail of the run holds.
void nameThumbnail(Job& job, QSet<QString>& taken)
{
    const Settings& s = settings();
    QString dir;
    QString copyName;
    split_file_path(job.copy, dir, copyName);
    QString thumbName = thumbnail_file_name(copyName, s.prefix_thumbnail_file, true);
    if (!s.prefix_thumbnail_file && job.source.contains(QLatin1String("_tn.jpg")))
        thumbName = copyName;
    // Nothing made from a picture replaces that picture: such an image
    // serves as its own thumbnail.
    if (thumbName == copyName)
        return;
    thumbName = distinctName(thumbName, taken);
    const QString thumb = platform::joinPath(s.internet_dir, thumbName);
    if (platform::isSameFile(thumb, job.source) || platform::isSameFile(thumb, job.copy))
        return;
    taken.insert(thumbName);
    job.thumb = thumb;
}

// Copies the working list's images into the internet directory with their
// thumbnails; the working list then names the copies. False when a copy or a
// thumbnail could not be written (the run has said so).
bool copyWithThumbnails(PageRun& run)
{
    QStringList& templist = *run.lists.templist;
    platform::ProfileFile& ini = platform::profile(program().ini_file_path);
    // One set of names for the whole output: a thumbnail never lands on a
    // copy, nor a copy on a thumbnail. Copies are named first.
    QSet<QString> taken;
    QList<Job> jobs;
    for (qsizetype i = 0; i < templist.size(); ++i) {
        jobs.append(prepareCopy(templist.at(i), taken));
        templist[i] = jobs.last().copy;
    }
    for (Job& job : jobs)
        nameThumbnail(job, taken);
    // Copying, decoding, scaling and encoding run on every core; what the user and
    // the records see afterwards is in list order, as one thread leaves it.
    makeThumbnails(jobs, thumbnail_size());
    for (const Job& job : std::as_const(jobs)) {
        if (!job.writeError.isEmpty()) {
            run.fail(job.writeError);
            return false;
        }
        statusDirect(QStringLiteral("Processing thumbnail for %1").arg(job.source));
        if (!job.readError.isEmpty() && job.copyFirst && is_image_file(job.copy))
            run.unreadable(job.source, job.readError);
        if (job.pixels)
            run.pixelSizes.insert(job.copy, *job.pixels);
        if (job.saved)
            ini.put(QStringLiteral("Thumbnails (ir)"), job.copy, job.thumb);
        platform::doEvents();
    }
    return true;
}

// Why no page is written: the list is hidden, or nothing in it qualified.
QString nothingToDo(const PageLists& lists)
{
    const Settings& s = settings();
    if (!lists.listVisible)
        return QStringLiteral("There are no files loaded to create an html.");
    if (s.individual_selections)
        return QStringLiteral("No files were selected from the list.");
    if (s.gif_jpeg_only)
        return QStringLiteral("There are no GIF or JPG files in the list.");
    return QStringLiteral("There are no files in the list.");
}

} // namespace

void go_create_html(PageRun& run)
{
    const Settings& s = settings();
    PageLists& lists = run.lists;
    fill_working_lists(lists, lists.items, [&](qsizetype i) {
        return (!s.gif_jpeg_only || is_gif_or_jpg(lists.items.at(i))) &&
               (!s.individual_selections || lists.selected.value(i));
    });
    make_dir(s.internet_dir);
    if (lists.templist->isEmpty()) {
        tell_nothing_to_do(nothingToDo(lists));
        return;
    }
    // The records of the whole run reach the settings file once, when it ends.
    platform::ProfileBatch batch;
    if (!copyWithThumbnails(run))
        return;
    run.generated().o_flist.clear();
    if (run.toolbarKey == QLatin1String("advhtml"))
        create_advanced_html(run);
    else
        create_vertical_html(run);
    if (!run.stopped() && !run.failed())
        run.reportUnreadable();
}

} // namespace mosaicon
