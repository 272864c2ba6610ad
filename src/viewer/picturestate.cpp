#include "viewer/picturestate.h"

#include "pagekit/thumbnails.h"

#include "platform/events.h"
#include "platform/numbers.h"

namespace mosaicon::viewer {

bool PictureState::beginListConversion(ConversionKind kind, const QString& where,
                                       const std::function<void()>& shown,
                                       const std::function<bool()>& ready)
{
    if (error_reading_file.visible) {
        warn_cannot_create();
        return false;
    }
    if (!confirm_place(kind, where) || (ready && !ready()))
        return false;
    // From here on the window stays until the conversion has ended.
    batch_create_running = true;
    Frame2.visible = false;
    shown();
    platform::doEvents();
    return true;
}

void read_ahead_beside(platform::PictureLoader& pictures, int current, qsizetype count,
                       const std::function<QString(int)>& path)
{
    QStringList ahead;
    for (const int i : {current + 1, current - 1}) {
        if (i >= 0 && i < count && is_image_file(path(i)))
            ahead.append(path(i));
    }
    pictures.readAhead(ahead);
}

QSize fitted_picture_pixels(QSize natural, int limit, double frameWidth, double frameHeight)
{
    const QSize shown = platform::ImageControl::limitedSize(natural, limit);
    const platform::PictureFit fit = platform::fitPicture(
        platform::pixelsToTwips(shown.width()), platform::pixelsToTwips(shown.height()), frameWidth,
        frameHeight, framedPictureMargins);
    return twips_to_pixels(fit.width, fit.height);
}

QSize twips_to_pixels(double width, double height)
{
    return QSize(qMax(1, platform::pixels(qMax(0.0, width))),
                 qMax(1, platform::pixels(qMax(0.0, height))));
}

void reread_at_shown_size(platform::PictureLoader& pictures, platform::ImageControl& viewimage,
                          const platform::ImageControl::DisplaySize& displaySize,
                          std::function<void()> shown)
{
    if (pictures.loading() || viewimage.isNull())
        return;
    const QSize natural(viewimage.imageWidth(), viewimage.imageHeight());
    if (viewimage.heldSize() == displaySize(natural))
        return;
    const QString file = viewimage.fileName();
    pictures.show(
        file, [&viewimage, file, shown = std::move(shown)](const platform::LoadedPicture& picture) {
            // Only a better copy of what is still shown.
            if (!picture.ok() || viewimage.fileName() != file)
                return;
            viewimage.showLoaded(picture);
            shown();
        });
}

} // namespace mosaicon::viewer
