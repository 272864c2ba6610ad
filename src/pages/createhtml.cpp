#include "pages/createhtml.h"

#include "pages/advancedpage.h"
#include "pages/verticalpage.h"

#include "pagekit/imagecopies.h"
#include "pagekit/imageheaders.h"
#include "pagekit/pagerun.h"
#include "pagekit/thumbnails.h"

#include "settings/program.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/imagecontrol.h"
#include "platform/mainformview.h"
#include "platform/numbers.h"
#include "platform/profilefile.h"
#include "platform/ui.h"

#include <QFileInfo>
#include <QSet>

#include <optional>

#include <algorithm>
#include <cmath>

namespace mosaicon {

namespace {

// One image's copy and thumbnail, on an engine of the calling thread's own.
void runJob(platform::ImageControl& engine, ImageJob& job, int size)
{
    if (!copy_job_image(job))
        return;
    engine.setFitMode(platform::FitMode::OwnSize);
    // Emptied first, so a new limit never decodes the previous picture again.
    engine.setFileName(QString());
    engine.setSizeLimit(is_styled(settings().thumb_style) ? styled_thumbnail_limit(size)
                                                          : size + 4);
    // A picture that cannot be loaded leaves the engine empty: no thumbnail
    // is ever made from the previous image.
    // The reason is told with the user's file, not the run's copy of it.
    if (!engine.setFileName(job.copy)) {
        job.readError = engine.errorReason();
        return;
    }
    job.pixels = QSize(engine.imageWidth(), engine.imageHeight());
    // Read, but not what its name says: published all the same, and told.
    job.readError = picture_mislabel(job.copy);
    if (!(size < engine.imageHeight() || size < engine.imageWidth()) || job.thumb.isEmpty())
        return;
    if (!prepare_thumbnail_engine(engine, job.copy, size))
        return;
    job.saved = engine.saveAsJpeg(job.thumb, platform::Flush::ToCache, job.copy);
    if (!job.saved)
        job.writeError = QStringLiteral("The thumbnail %1 could not be written: %2").arg(job.thumb, engine.errorString());
}

void makeThumbnails(QList<ImageJob>& jobs, int size)
{
    run_on_every_core(jobs, [size](platform::ImageControl& engine, ImageJob& job) { runJob(engine, job, size); });
}

// Copies the working list's images into the run's folder with their
// thumbnails; the working list then names the copies. False when a copy or a
// thumbnail could not be written (the run has said so).
bool copyWithThumbnails(PageRun& run)
{
    QStringList& templist = *run.lists.templist;
    platform::ProfileFile& ini = settingsFile();
    // One set of names for the whole output: a thumbnail never lands on a
    // copy, nor a copy on a thumbnail. Copies are named first.
    QSet<QString> taken;
    QList<ImageJob> jobs;
    for (qsizetype i = 0; i < templist.size(); ++i) {
        jobs.append(prepare_copy(templist.at(i), run.folder(), taken));
        templist[i] = jobs.last().copy;
    }
    for (ImageJob& job : jobs)
        name_reduced_copy(job, run.folder(), taken);
    // Copying, decoding, scaling and encoding run on every core; what the user and
    // the records see afterwards is in list order, as one thread leaves it.
    makeThumbnails(jobs, thumbnail_size());
    for (const ImageJob& job : std::as_const(jobs)) {
        if (!job.writeError.isEmpty()) {
            run.fail(job.writeError);
            return false;
        }
        platform::show_status_now(QStringLiteral("Processing thumbnail for %1").arg(job.source));
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
    platform::makeDir(run.folder());
    if (lists.templist->isEmpty()) {
        tell_nothing_to_do(nothingToDo(lists));
        return;
    }
    // The records of the whole run reach the settings file once, when it ends.
    platform::ProfileBatch batch;
    if (!copyWithThumbnails(run))
        return;
    run.generated().o_flist.entries.clear();
    if (run.toolbarKey == QLatin1String("advhtml"))
        create_advanced_html(run);
    else
        create_vertical_html(run);
    run.reportUnreadable();
}

} // namespace mosaicon
