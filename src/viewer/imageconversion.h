#pragma once

#include "pagekit/besidewindow.h"
#include "pagekit/imagecopies.h"

#include "settings/thumbnailrecords.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace mosaicon::viewer {

using mosaicon::ConversionKind;

// Where the output of a window's conversion goes.
struct ConversionPlace
{
    QString targetDir;              // the window's target directory (no trailing "/")
    bool besideSource = false;      // View Images' "Create Images(s) In Source Directory"
    bool copySmallThumbnail = true; // View Images: a small picture is copied unchanged; Image Catalog: nothing is made
};

struct ConversionResult
{
    // Occupied: a file of the output's name is there that is not a thumbnail
    // this program made from this source (its mark says so), so nothing was made.
    enum Outcome
    {
        Skipped,
        Made,
        CopiedSmall,
        SmallLeft,
        AlreadyExists,
        SourceMissing,
        SameAsSource,
        Occupied,
        Failed
    };
    Outcome outcome = Skipped;
    // The full output path; for SmallLeft (the catalog) and SourceMissing the
    // source's bare file name; for Failed the output path once it was known,
    // else the source's file name.
    QString output;
    QString error; // why, for Occupied and Failed
    bool made() const { return outcome == Made || outcome == CopiedSmall; }
};

// The output file name (no folder) for a source file name, by the prefix setting.
QString converted_name(const QString& fileName, ConversionKind kind);

// One conversion by the settings in memory (thumbnail size, quality, smoothing,
// dither, optimize, 3d, style, prefix); saves the [Thumbnails (vi)] record of
// a thumbnail made at once. Never replaces its own source, nor any file but a
// thumbnail this program made from this source, whichever run made it (or,
// for a small picture's copy, a file that already holds the same bytes); a
// record names a file but proves nothing of it. A JPEG source is not made
// into a JPEG beside itself. A source whose name is not valid UTF-8 is
// refused. A record that cannot be saved makes the result Failed, with the
// reason.
ConversionResult create_jpeg(const QString& source, ConversionKind kind, const ConversionPlace& place);

// The warning both image windows give for a file they cannot make an image from.
void warn_cannot_create();

using mosaicon::confirm_place;

// The target directories the image windows have converted into.
using mosaicon::register_thumbnail_directory;
using mosaicon::thumbnail_directories;

// Converts every path for which `wanted` is true (asked on the calling thread,
// in list order, before any conversion starts), beside the window, leaving the
// files and records as one thread going down the list would; calls
// `done(index, result)` on the calling (UI) thread in list order as results
// arrive, letting window events run meanwhile (the caller disables its
// controls). The records of the results handed to `done` are saved by then.
// Once `stop` is set (the window closed), no conversion starts; those in hand
// finish and are handed over. Returns one result per path; a path not wanted
// or not converted keeps outcome Skipped and gets no done() call.
QList<ConversionResult> convert_list(const QStringList& paths, ConversionKind kind, const ConversionPlace& place,
                                     const std::function<bool(const QString& path)>& wanted,
                                     const std::function<void(qsizetype index, const ConversionResult&)>& done,
                                     RunStop* stop = nullptr);

} // namespace mosaicon::viewer
