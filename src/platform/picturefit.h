#pragma once

namespace mosaicon::platform {

// How an image control sizes itself and its picture. The numbers are the ones
// the control's callers have always set.
enum class FitMode
{
    // A load or a size limit change makes the control its picture's size.
    OwnSize = 1,
    // The picture is stretched to the control, fitted to a width...
    FittedToWidth = 2,
    // ...or then to a height.
    FittedToHeight = 3,
};

// Room a window keeps around its picture, in twips: taken off its frame's
// width and height, and trimmed off the length a picture is scaled to fill.
struct PictureMargins
{
    double side = 0;
    double topAndBottom = 0;
    double trim = 0;
};

// A picture's size in twips and the fit mode that stretches it to that size.
struct PictureFit
{
    double width = 0;
    double height = 0;
    // Its own size, narrowed to the room, or lowered to it.
    FitMode mode = FitMode::OwnSize;
};

// A picture of width x height twips fitted into a frame of that size less its
// margins (never less than nothing), its shape kept: scaled to the room's
// width when it is that wide or wider (one just as wide is scaled too, by 1),
// then to the room's height when it is still that high; the length scaled to
// the room loses the trim.
PictureFit fitPicture(double width, double height, double frameWidth, double frameHeight,
                      const PictureMargins& margins);

} // namespace mosaicon::platform
