#include "pagekit/imagecopies.h"

#include "pagekit/thumbnails.h"

#include "settings/program.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "platform/ui.h"


namespace mosaicon {

bool confirm_place(ConversionKind kind, const QString& where)
{
    const QString question =
        QStringLiteral("The new JPG %1file(s) will be created in the %2.  Is this what you want?")
            .arg(kind == ConversionKind::Thumbnail ? QStringLiteral("thumbnail ") : QString(), where);
    return platform::msgbox(question, platform::MsgBox::YesNo + platform::MsgBox::Question,
                            program().product_title) == platform::MsgBox::Yes;
}

QString distinct_name(const QString& name, const QSet<QString>& taken)
{
    if (!taken.contains(name))
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString ext = dot < 0 ? QString() : name.mid(dot);
    for (int n = 2;; ++n) {
        // A name of the most the file system holds leaves its stem shorter for the number.
        const QString candidate = name_within_limit(base, QStringLiteral("_%1%2").arg(n).arg(ext));
        if (!taken.contains(candidate))
            return candidate;
    }
}

ImageJob prepare_copy(const QString& source, const QString& folder, QSet<QString>& taken)
{
    platform::ProfileFile& ini = settingsFile();
    const QString name = platform::split_file_path(source).file_name;
    const QString copyName = distinct_name(name, taken);
    taken.insert(copyName);

    ImageJob job;
    job.source = source;
    job.copy = platform::joinPath(folder, copyName);
    job.copyFirst = platform::file_exists(source);
    const QString text = ini.get(QStringLiteral("Associated Text"), source);
    if (!text.isEmpty() && platform::file_exists(text))
        ini.put(QStringLiteral("Associated Text"), job.copy, text);
    const QString title = ini.get(QStringLiteral("Associated Text Title"), source);
    if (!title.isEmpty())
        ini.put(QStringLiteral("Associated Text Title"), job.copy, title);
    return job;
}

void name_reduced_copy(ImageJob& job, const QString& folder, QSet<QString>& taken)
{
    const QString copyName = platform::split_file_path(job.copy).file_name;
    QString thumbName = thumbnail_file_name(copyName, ThumbnailRule::PageRun, job.source);
    // Nothing made from a picture replaces that picture: such an image
    // serves as its own smaller picture.
    if (thumbName == copyName)
        return;
    thumbName = distinct_name(thumbName, taken);
    const QString thumb = platform::joinPath(folder, thumbName);
    if (platform::isSameFile(thumb, job.source) || platform::isSameFile(thumb, job.copy))
        return;
    taken.insert(thumbName);
    job.thumb = thumb;
}

bool copy_job_image(ImageJob& job)
{
    QString error;
    if (!job.copyFirst ||
        platform::copyFile(job.source, job.copy, &error, platform::Flush::ToCache))
        return true;
    job.writeError = QStringLiteral("The picture %1 could not be copied to %2: %3")
                         .arg(job.source, job.copy, error);
    return false;
}

} // namespace mosaicon
