#include "slides/slideshow.h"

#include "slides/slideframes.h"
#include "slides/slidenoframes.h"
#include "slides/slidepages.h"

#include "pagekit/imagecopies.h"
#include "pagekit/pagerun.h"
#include "pagekit/thumbnails.h"

#include "settings/program.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/profilefile.h"

namespace mosaicon {

namespace {

// A list that holds files, none of which a slide show takes, is told so,
// whatever "GIF And JPEG Only" says.
QString nothingToShow(const PageLists& lists)
{
    if (settings().individual_selections)
        return QStringLiteral("No files were selected from the list.");
    if (!lists.items.isEmpty())
        return QStringLiteral("There are no GIF or JPG files in the list.");
    return QStringLiteral("There are no files in the list.");
}

// The copies of the working list's images in the folder; the working list
// then names them. Images already in the folder keep their names and bytes,
// so they are named first.
QList<ImageJob> planCopies(QStringList& templist, const QString& folder, QSet<QString>& taken)
{
    QList<ImageJob> jobs(templist.size());
    QList<bool> inPlace(templist.size(), false);
    for (qsizetype i = 0; i < templist.size(); ++i) {
        const QString name = platform::split_file_path(templist.at(i)).file_name;
        const QString here = platform::joinPath(folder, name);
        if (taken.contains(name) || !platform::isSameFile(templist.at(i), here))
            continue;
        taken.insert(name);
        jobs[i].source = templist.at(i);
        jobs[i].copy = here;
        inPlace[i] = true;
    }
    for (qsizetype i = 0; i < templist.size(); ++i) {
        if (!inPlace.at(i))
            jobs[i] = prepare_copy(templist.at(i), folder, taken);
        templist[i] = jobs.at(i).copy;
    }
    return jobs;
}

} // namespace

void go_create_slideshow(PageRun& run)
{
    const Settings& s = settings();
    PageLists& lists = run.lists;
    fill_working_lists(lists, lists.items, [&](qsizetype i) {
        return is_gif_or_jpg(lists.items.at(i)) &&
               (!s.individual_selections || lists.selected.value(i));
    });
    if (lists.templist->isEmpty()) {
        tell_nothing_to_do(nothingToShow(lists));
        return;
    }
    platform::makeDir(run.folder());
    // The records of the whole run reach the settings file once, when it ends.
    platform::ProfileBatch batch;
    SlideShow show;
    show.folder = run.folder();
    QSet<QString> taken;
    show.images = planCopies(*lists.templist, show.folder, taken);
    // Workers reach the jobs only through this pointer, never the list itself.
    ImageJob* const copies = show.images.data();
    // A failed copy, or the user leaving, stops the copying.
    run_beside_window(
        show.images.size(), [copies](platform::ImageControl&, qsizetype i) { return copy_job_image(copies[i]); },
        [](qsizetype) { return true; }, run.workStop());
    for (const ImageJob& job : std::as_const(show.images)) {
        if (!job.writeError.isEmpty()) {
            run.fail(job.writeError);
            return;
        }
    }
    if (run.left())
        return;
    name_reduced_copies(show, taken);
    if (s.use_frames)
        create_slideshow_frames(run, show);
    else
        create_slideshow(run, show);
    run.reportUnreadable();
}

} // namespace mosaicon
