#pragma once

#include <QList>
#include <QSet>
#include <QSize>
#include <QString>

#include <optional>

namespace mosaicon {

// What a conversion makes: a JPEG copy of a picture, or a reduced JPEG named
// after it.
enum class ConversionKind { Jpeg, Thumbnail };

// Asks (Yes/No) whether the new files of `kind` are to be made in `where`:
// "<directory> directory" or "directory where the source file is located".
bool confirm_place(ConversionKind kind, const QString& where);

// One image of a run on its way into the output folder: its copy and the
// smaller picture made from it (a thumbnail or a slide's reduced copy).
struct ImageJob
{
    QString source;
    QString copy;
    QString thumb; // empty: the image serves as its own smaller picture
    bool copyFirst = false;
    // What the worker leaves: the picture's size when it could be read,
    // why it could not, and a copy or smaller picture that could not be written.
    std::optional<QSize> pixels;
    QString readError;
    QString writeError;
    bool saved = false;
    // A thumbnail the user edited, left as it is and linked: why, as told.
    QString kept;
};

// "cat.gif" -> "cat_2.gif": a name no other file of the run has taken.
QString distinct_name(const QString& name, const QSet<QString>& taken);

// The run's copy of one image in the folder, its records moved with it.
// Copies keep their names unless two sources share one.
ImageJob prepare_copy(const QString& source, const QString& folder, QSet<QString>& taken);

// Names the smaller picture of a copy in the folder, on no name a copy or
// another picture of the run holds; an image whose name already marks it as
// such a picture gets none.
void name_reduced_copy(ImageJob& job, const QString& folder, QSet<QString>& taken);

// Copies the job's image when it is to be copied; false, with writeError set,
// when the copy could not be written.
bool copy_job_image(ImageJob& job);

} // namespace mosaicon
