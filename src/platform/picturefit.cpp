#include "platform/picturefit.h"

#include <algorithm>

namespace mosaicon::platform {

PictureFit fitPicture(double width, double height, double frameWidth, double frameHeight,
                      const PictureMargins& margins)
{
    PictureFit fit{width, height, FitMode::OwnSize};
    const double roomWidth = std::max(0.0, frameWidth - margins.side);
    if (fit.width > 0 && fit.width >= roomWidth) {
        const double r = roomWidth / fit.width;
        fit.width = fit.width * r - margins.trim;
        fit.height *= r;
        fit.mode = FitMode::FittedToWidth;
    }
    const double roomHeight = std::max(0.0, frameHeight - margins.topAndBottom);
    if (fit.height > 0 && fit.height >= roomHeight) {
        const double r = roomHeight / fit.height;
        fit.width *= r;
        fit.height = fit.height * r - margins.trim;
        fit.mode = FitMode::FittedToHeight;
    }
    return fit;
}

} // namespace mosaicon::platform
