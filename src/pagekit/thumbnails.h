#pragma once

#include "settings/settings.h"

#include <QSize>
#include <QString>

#include <optional>

namespace mosaicon::platform {
class ImageControl;
}

namespace mosaicon {

// The thumbnail size in pixels: the default when the setting is empty or 0.
int thumbnail_size();

// What thumbnails and reduced pictures are made by, taken from the settings as
// a value when a run starts: workers beside the window never read the settings
// the window may change meanwhile.
struct ThumbnailRecipe
{
    int size = 100;
    ThumbStyle style = ThumbStyle::WithBorders;
    int quality = 75;
    int smoothing = 0;
    int dither = 0;
    bool optimize = false;
    bool threeD = false;
    quint32 background = 0x00FFFFFF; // a Windows colour number
    // The name rule: "tn_" before the name, or "_tn.jpg" after it.
    bool prefixName = false;
};
// The settings' recipe now; on the window's thread.
ThumbnailRecipe thumbnail_recipe();

// Sets the engine's JPEG output and look by the recipe.
void apply_thumbnail_settings(platform::ImageControl& engine, const ThumbnailRecipe& recipe);

// Not the usual 15: borderless thumbnails have always come out about 5 % larger.
constexpr double thumbnailBoxTwipsPerPixel = 15.7;

// Scales the engine's picture down, keeping its proportions, until it fits
// a box of that width and height in twips.
void fit_in_box(platform::ImageControl& engine, double width, double height);
// The size a borderless thumbnail is decoded at.
int styled_thumbnail_limit(int size);

// Whose rule names a thumbnail. A page run's always cuts a prefixed name at
// its first ".", and leaves a picture whose path holds "_tn.jpg" without one;
// a conversion keeps a prefixed name that holds ".jpg" whole.
enum class ThumbnailRule { PageRun, Conversion };

// A thumbnail's file name from an image's, by the prefix setting: "tn_"
// before it or "_tn.jpg" after it, cut at the first "."; a name that already
// carries the prefix or the suffix keeps it. The page run's rule also looks at
// the picture's path, `source`. A name longer than the file system holds is
// shortened before its ending and takes a short digest of the whole name.
QString thumbnail_file_name(const QString& file_name, ThumbnailRule rule, const QString& source = {});
// The same by the recipe's name rule.
QString thumbnail_file_name(const QString& file_name, ThumbnailRule rule, const ThumbnailRecipe& recipe,
                            const QString& source = {});

// The stem, cut at whole characters, followed by the ending, in at most the
// 255 bytes a name may have.
QString name_within_limit(const QString& stem, const QString& ending);

// Why a thumbnail of `picture` may not take the name `output`, as the user is
// told; "" when nothing is there, or a thumbnail this program made from that
// picture, from a copy of it or from its content wherever it lies now,
// whichever run made it, and unchanged since. A file changed since it was
// written is the user's; so is one of an earlier version's mark that names
// another picture.
QString thumbnail_in_the_way(const QString& output, const QString& picture);
// The same, in a page run's own folder: "" unless the file is a thumbnail
// this program made whose bytes changed since (the user edited it).
QString thumbnail_edited(const QString& output);

// What a reduced picture is made for: it decides the size it is decoded at,
// the box a borderless one fits, what may be replaced and how surely it is written.
enum class ReducedFor {
    RunThumbnail,    // a page run's thumbnail of its copy, in the run's own folder
    PageThumbnail,   // a page's thumbnail beside its image
    WindowThumbnail, // an image window's thumbnail
    WindowJpeg,      // an image window's JPEG copy, at natural size unless borderless
    SlideCopy,       // a slide's reduced copy of its image, fitted in a square of the size, never styled
};

struct Reduction
{
    enum Outcome
    {
        Made,
        Small,       // a thumbnail's picture fits the size: left alone
        Decoded,     // read, and no output asked for
        SamePicture, // the output is the picture itself
        InTheWay,    // a file it may not replace holds the name (error says why)
        Unreadable,  // error and reason (without the file's name) say why
        Failed       // the output could not be written (error says why)
    };
    Outcome outcome = Unreadable;
    // The picture's natural size once it was read.
    std::optional<QSize> pixels;
    QString error;
    QString reason;
};

// Decodes the picture once, on the engine, at the size the recipe's style
// needs, and saves its JPEG thumbnail or reduced copy at `output` ("" only
// reads it) by the recipe, with this program's mark on a thumbnail.
Reduction make_reduced_picture(platform::ImageControl& engine, ReducedFor purpose, const QString& picture,
                               const QString& output, const ThumbnailRecipe& recipe);

// The pixels make_reduced_picture's pictures of that picture hold at most,
// from its header alone: what a scheduler weighs before the job starts.
qint64 reduced_picture_pixels(ReducedFor purpose, const QString& picture, const ThumbnailRecipe& recipe);

// Makes a JPEG thumbnail beside the image on the engine when the image is
// larger than the thumbnail size, and records it. Gives the thumbnail's
// path, or the bare file name when the image serves as its own thumbnail
// (also when a file it may not replace holds the thumbnail's name), or ""
// for a missing image; none, with the reason in error, when the
// thumbnail could not be written.
std::optional<QString> create_thumbnail(platform::ImageControl& engine, const QString& image,
                                        QString* error = nullptr);

// Finds the icon (or recorded thumbnail) that stands for a file on a page;
// given the folder an internet-ready run publishes into, the icon is copied
// there too (copy_error says why when it could not be made). None when no
// icon stands for it.
std::optional<QString> get_thumbnail_icon(const QString& file, const QString& publish_folder,
                                          QString* copy_error = nullptr);

// The size an image is shown with on a page, as the page writes it: its own
// when it fits the thumbnail size, else scaled to it.
struct ImageDimensions
{
    QString height;
    QString width;
};
ImageDimensions get_image_dimensions(const QString& path);

// The name's extension is one of the image types (any case).
bool is_image_file(const QString& name);
// The name's extension is ".gif" or ".jpg" (any case).
bool is_gif_or_jpg(const QString& name);

} // namespace mosaicon
