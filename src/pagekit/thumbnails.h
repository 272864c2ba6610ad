#pragma once

#include <QString>

#include <optional>

namespace mosaicon::platform {
class ImageControl;
}

namespace mosaicon {

// The thumbnail size in pixels: 100 when the setting is empty or 0.
int thumbnail_size();

// Sets the engine's JPEG output and look by the thumbnail settings.
void apply_thumbnail_settings(platform::ImageControl& engine);

// Not the usual 15: borderless thumbnails have always come out about 5 % larger.
constexpr double thumbnailBoxTwipsPerPixel = 15.7;

// Sets the engine, holding the image at its thumbnail size, up for saving the
// thumbnail by the thumbnail settings; false when the image could not be read.
// A borderless thumbnail fits a square of boxTwips, by default the size in
// thumbnailBoxTwipsPerPixel twips.
bool prepare_thumbnail_engine(platform::ImageControl& engine, const QString& image, int size,
                              std::optional<double> boxTwips = std::nullopt);
// Scales the engine's picture down, keeping its proportions, until it fits
// a box of that width and height in twips.
void fit_in_box(platform::ImageControl& engine, double width, double height);
// The size a borderless thumbnail is decoded at.
int styled_thumbnail_limit(int size);

// A thumbnail's file name from an image's: "tn_" before it (prefix on) or
// "_tn.jpg" after it, cut at the first "."; a name that already carries the
// prefix or the suffix keeps it. Without cutAlways, a prefixed name that
// already holds ".jpg" is not cut. A name longer than the file system holds
// is shortened before its ending.
QString thumbnail_file_name(const QString& file_name, bool prefix, bool cutAlways);

// Why a thumbnail of `picture` may not take the name `output`, as the user is
// told; "" when nothing is there, or a thumbnail this program made from that
// picture or from a copy of it (its mark says so), whichever run made it.
QString thumbnail_in_the_way(const QString& output, const QString& picture);

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
