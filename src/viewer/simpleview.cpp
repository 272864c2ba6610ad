#include "viewer/simpleview.h"

#include "viewer/picturestate.h"

#include "pagekit/imagelists.h"
#include "pagekit/thumbnails.h"

#include "platform/events.h"
#include "platform/imagecontrol.h"
#include "platform/numbers.h"
#include "platform/ui.h"

namespace mosaicon::viewer {

SimpleView::SimpleView(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("frm_simplev"));
    pictures.setDisplaySize(displaySize());
}

void SimpleView::showModally(const QStringList& mainList)
{
    SimpleView view;
    view.load(mainList);
    platform::ui().showModal(view.objectName(), &view);
}

void SimpleView::load(const QStringList& mainList)
{
    keep_processing = false;
    flelist.clear();
    for (const QString& entry : mainList) {
        platform::doEvents();
        flelist.insert(image_path_insert_index(flelist, entry), entry);
    }
    frame1Caption =
        QStringLiteral("Current File List (") + platform::strForm(flelist.size()) + u')';
    // An empty list selects nothing and shows nothing.
    if (!flelist.isEmpty())
        click(0);
}

void SimpleView::click(int index)
{
    if (index < 0 || index >= flelist.size())
        return;
    current = index;
    const QString& entry = flelist.at(index);
    if (is_image_file(entry) && !keep_processing) {
        // Until it has been read, the window shows what it showed.
        pictures.show(entry, [this, index](const platform::LoadedPicture& picture) {
            showPicture(index, picture);
        });
        return;
    }
    // No picture asked for earlier turns up after this entry.
    pictures.cancel();
    if (is_image_file(entry)) {
        display = Display::Picture;
    } else {
        display = Display::NotAnImage;
        platform::doEvents();
    }
    showEntry(index);
}

void SimpleView::showPicture(int index, const platform::LoadedPicture& picture)
{
    display = viewimage.showLoaded(picture) ? Display::Picture : Display::ErrorReading;
    showEntry(index);
    readAhead();
    emit changed();
}

void SimpleView::showEntry(int index)
{
    const QString& entry = flelist.at(index);
    caption = QStringLiteral("Simple View - ") + entry;
    fileName = entry;
    const bool picture = display == Display::Picture;
    readError = display == Display::ErrorReading ? viewimage.errorString() : QString();
    fileWidth = platform::strForm(picture ? viewimage.imageWidth() : 0);
    fileHeight = platform::strForm(picture ? viewimage.imageHeight() : 0);
}

void SimpleView::readAhead()
{
    read_ahead_beside(pictures, current, flelist.size(), [this](int i) { return flelist.at(i); });
}

platform::ImageControl::DisplaySize SimpleView::displaySize() const
{
    return [frame = frame2](QSize natural) {
        const platform::PictureFit fitted = platform::fitPicture(
            platform::pixelsToTwips(natural.width()), platform::pixelsToTwips(natural.height()),
            frame.width(), frame.height(), SimpleViewGeometry::pictureMargins);
        return twips_to_pixels(fitted.width, fitted.height);
    };
}

void SimpleView::frame2Resized(QSizeF twips)
{
    if (twips == frame2)
        return;
    frame2 = twips;
    pictures.setDisplaySize(displaySize());
    if (display != Display::Picture)
        return;
    reread_at_shown_size(pictures, viewimage, displaySize(), [this] {
        readAhead();
        emit changed();
    });
}

SimpleViewGeometry SimpleViewGeometry::forWindow(double width, double innerHeight)
{
    SimpleViewGeometry g;
    const double listWidth = 3375;
    g.frame1 = {120, 0, 3615, innerHeight - 1600};
    g.flelist = {120, 240, listWidth, g.frame1.height() - 300};
    g.frame2 = {3840, 0, width - listWidth - 750, innerHeight - 1600};
    g.viewimage = {120, 240, 4455, 3375};
    g.frame6 = {120, innerHeight - 1500, 8415, 1335};
    return g;
}

} // namespace mosaicon::viewer
