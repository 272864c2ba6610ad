#pragma once

#include "platform/controlvalues.h"
#include "platform/imagecontrol.h"

namespace mosaicon::viewer {

// The picture side of an image window's value, without its widgets: the frame
// (hidden while a picture is being made; its width and height in twips bound
// the picture), the picture, and the two labels that stand in for it.
struct PictureState
{
    platform::Frame Frame2{QStringLiteral("Image")};
    platform::ImageControl viewimage;
    platform::Label error_reading_file{QStringLiteral("Error Reading File"), false};
    platform::Label o_notanimage{QStringLiteral("Not An Image"), false};
};

// A picture's size in twips and the fit mode that stretches it to that size.
struct PictureFit
{
    double width = 0;
    double height = 0;
    // 1: its own size; 2: narrowed to the frame; 3: lowered to it.
    int mode = 1;
};

// A picture of width x height twips fitted into a frame of that size less its
// 300-twip margin, its proportions kept: made the room's width (less 10) when
// it is that wide or wider, then the room's height (less 10) when it is still
// that high.
PictureFit fit_picture(double width, double height, double frameWidth, double frameHeight);

} // namespace mosaicon::viewer
