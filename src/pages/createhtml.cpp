#include "pages/createhtml.h"

#include "pages/advancedpage.h"
#include "pages/verticalpage.h"

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
    qsizetype index = 0;
    QString source;
    QString copy;
    QString thumb; // empty: the image is its own thumbnail
    bool copyFirst = false;
    bool saved = false;
};

// One image's thumbnail, on an engine of the calling thread's own.
bool makeThumbnail(platform::ImageControl& engine, const Job& job, int size)
{
    engine.setFitMode(1);
    // Emptied first, so a new limit never decodes the previous picture again.
    engine.setFileName(QString());
    engine.setSizeLimit(settings().thumb_style != 0 ? styled_thumbnail_limit(size) : size + 4);
    // A picture that cannot be loaded leaves the engine empty: no thumbnail
    // is ever made from the previous image.
    if (!engine.setFileName(job.copy))
        return false;
    if (!(size < engine.imageHeight() || size < engine.imageWidth()) || job.thumb.isEmpty())
        return false;
    if (!prepare_thumbnail_engine(engine, job.copy, size))
        return false;
    return engine.saveAsJpeg(job.thumb, platform::Flush::ToCache);
}

void makeThumbnails(QList<Job>& jobs, int size)
{
    platform::ImageControl::prepareDecoder();
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        platform::ImageControl engine;
        for (qsizetype i = next++; i < jobs.size(); i = next++) {
            if (jobs[i].copyFirst)
                platform::copyFile(jobs[i].source, jobs[i].copy, nullptr, platform::Flush::ToCache);
            jobs[i].saved = makeThumbnail(engine, jobs[i], size);
        }
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
// with it, and the job that copies it and makes its thumbnail.
Job prepareCopy(qsizetype index, const QString& source, QSet<QString>& copyNames, QSet<QString>& thumbNames)
{
    const Settings& s = settings();
    platform::ProfileFile& ini = platform::profile(program().ini_file_path);
    QString dir;
    QString name;
    split_file_path(source, dir, name);
    // Two images of one name from different folders must not overwrite each other.
    const QString copyName = distinctName(name, copyNames);
    copyNames.insert(copyName);
    const QString copy = platform::joinPath(s.internet_dir, copyName);

    const QString text = ini.get(QStringLiteral("Associated Text"), source);
    if (!text.isEmpty() && file_exists(text))
        ini.put(QStringLiteral("Associated Text"), copy, text);
    const QString title = ini.get(QStringLiteral("Associated Text Title"), source);
    if (!title.isEmpty())
        ini.put(QStringLiteral("Associated Text Title"), copy, title);

    Job job;
    job.index = index;
    job.source = source;
    job.copy = copy;
    job.copyFirst = file_exists(source);
    QString thumbName = thumbnail_file_name(copyName, s.prefix_thumbnail_file, true);
    if (!s.prefix_thumbnail_file && source.contains(QLatin1String("_tn.jpg")))
        thumbName = copyName;
    thumbName = distinctName(thumbName, thumbNames);
    const QString thumb = platform::joinPath(s.internet_dir, thumbName);
    // Nothing made from a picture replaces that picture: such an image
    // serves as its own thumbnail.
    if (thumb != copy && !platform::isSameFile(thumb, source) && !platform::isSameFile(thumb, copy)) {
        thumbNames.insert(thumbName);
        job.thumb = thumb;
    }
    return job;
}

// Copies the working list's images into the internet directory with their
// thumbnails; the working list then names the copies.
void copyWithThumbnails(QStringList& templist)
{
    platform::ProfileFile& ini = platform::profile(program().ini_file_path);
    // Records of the whole run are written once, at its end.
    platform::ProfileBatch batch;
    QSet<QString> copyNames;
    QSet<QString> thumbNames;
    QList<Job> jobs;
    for (qsizetype i = 0; i < templist.size(); ++i) {
        jobs.append(prepareCopy(i, templist.at(i), copyNames, thumbNames));
        templist[i] = jobs.last().copy;
    }
    // Copying, decoding, scaling and encoding run on every core; what the user and
    // the records see afterwards is in list order, as one thread leaves it.
    makeThumbnails(jobs, thumbnail_size());
    for (const Job& job : std::as_const(jobs)) {
        statusDirect(QStringLiteral("Processing thumbnail for %1").arg(job.source));
        if (job.saved)
            ini.put(QStringLiteral("Thumbnails (ir)"), job.copy, job.thumb);
        platform::doEvents();
    }
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
    copyWithThumbnails(*lists.templist);
    run.generated().o_flist.clear();
    if (run.toolbarKey == QLatin1String("advhtml"))
        create_advanced_html(run);
    else
        create_vertical_html(run);
}

} // namespace mosaicon
