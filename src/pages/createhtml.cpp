#include "pages/createhtml.h"

#include "pages/advancedpage.h"
#include "pages/verticalpage.h"

#include "pagekit/imagecopies.h"
#include "pagekit/pagerun.h"
#include "pagekit/thumbnails.h"

#include "settings/program.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/imagecontrol.h"
#include "platform/mainformview.h"
#include "platform/numbers.h"
#include "platform/picturecheck.h"
#include "platform/profilefile.h"
#include "platform/ui.h"

#include <QFileInfo>
#include <QSet>

#include <optional>

#include <algorithm>
#include <cmath>

namespace mosaicon {

namespace {

// One image's copy and thumbnail, on an engine of the calling thread's own;
// false when the copy or the thumbnail could not be written.
bool runJob(platform::ImageControl& engine, ImageJob& job, const ThumbnailRecipe& recipe)
{
    if (!copy_job_image(job))
        return false;
    const Reduction made = make_reduced_picture(engine, ReducedFor::RunThumbnail, job.copy, job.thumb, recipe);
    // The reason is told with the user's file, not the run's copy of it.
    if (made.outcome == Reduction::Unreadable) {
        job.readError = made.reason;
        return true;
    }
    job.pixels = made.pixels;
    // Read, but not what its name says: published all the same, and told.
    job.readError = platform::pictureFault(job.copy);
    job.saved = made.outcome == Reduction::Made;
    if (made.outcome == Reduction::InTheWay)
        job.kept = made.error;
    if (made.outcome == Reduction::Failed)
        job.writeError = made.error;
    return job.writeError.isEmpty();
}

// Copies the working list's images into the run's folder with their
// thumbnails; the working list then names the copies. False when a copy or a
// thumbnail could not be written (the run has said so), or the user left.
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
    // Copying, decoding, scaling and encoding run on workers beside the window, and the
    // window's thread tells each image as it lands, in list order, as one
    // thread would leave it. Workers reach their jobs only through this
    // pointer, so the list is never touched from two threads, and read
    // the thumbnail settings as they were when the run started.
    ImageJob* const work = jobs.data();
    const ThumbnailRecipe recipe = thumbnail_recipe();
    qsizetype failed = -1;
    run_beside_window(
        jobs.size(),
        [work, &recipe](platform::ImageControl& engine, qsizetype i) { return runJob(engine, work[i], recipe); },
        [&](qsizetype i) {
            const ImageJob& job = work[i];
            if (!job.writeError.isEmpty()) {
                failed = i;
                return false;
            }
            platform::show_status_now(
                QStringLiteral("Processing thumbnail for %1").arg(job.source));
            if (!job.readError.isEmpty() && job.copyFirst && is_image_file(job.copy))
                run.unreadable(job.source, job.readError);
            if (job.pixels)
                run.pixelSizes.insert(job.copy, *job.pixels);
            else
                run.undecodable.insert(job.copy);
            // Recorded even after the user left: the thumbnail is there.
            if (job.saved || !job.kept.isEmpty())
                ini.put(QStringLiteral("Thumbnails (ir)"), job.copy, job.thumb);
            if (!job.kept.isEmpty())
                run.keptUsersFile(job.kept);
            platform::doEvents();
            return true;
        },
        run.workStop(),
        [work, &recipe](qsizetype i) {
            return reduced_picture_pixels(ReducedFor::RunThumbnail, work[i].source, recipe);
        });
    // Told once every worker has stopped, so nothing is written after the message.
    if (failed >= 0)
        run.fail(work[failed].writeError);
    return failed < 0 && !run.left();
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
