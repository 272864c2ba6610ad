#include "viewer/picturestate.h"

namespace mosaicon::viewer {

PictureFit fit_picture(double width, double height, double frameWidth, double frameHeight)
{
    constexpr double margin = 300;
    PictureFit fit{width, height, 1};
    const double roomWidth = frameWidth - margin;
    if (fit.width > 0 && fit.width >= roomWidth) {
        const double r = roomWidth / fit.width;
        fit.width = fit.width * r - 10;
        fit.height *= r;
        fit.mode = 2;
    }
    const double roomHeight = frameHeight - margin;
    if (fit.height > 0 && fit.height >= roomHeight) {
        const double r = roomHeight / fit.height;
        fit.width *= r;
        fit.height = fit.height * r - 10;
        fit.mode = 3;
    }
    return fit;
}

} // namespace mosaicon::viewer
