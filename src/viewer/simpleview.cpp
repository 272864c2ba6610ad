#include "viewer/simpleview.h"

#include "viewer/imagelists.h"

#include "pagekit/thumbnails.h"
#include "settings/program.h"

#include "platform/events.h"
#include "platform/imagecontrol.h"
#include "platform/numbers.h"

namespace mosaicon::viewer {

void SimpleView::load(const QStringList& mainList, platform::ImageControl& viewimage)
{
    program().keep_processing = false;
    flelist.clear();
    for (const QString& entry : mainList) {
        platform::doEvents();
        flelist.insert(image_path_insert_index(flelist, entry), entry);
    }
    frame1Caption =
        QStringLiteral("Current File List (") + platform::strForm(flelist.size()) + u')';
    // An empty list selects nothing and shows nothing.
    if (!flelist.isEmpty())
        click(0, viewimage);
}

void SimpleView::click(int index, platform::ImageControl& viewimage)
{
    if (index < 0 || index >= flelist.size())
        return;
    current = index;
    const QString& entry = flelist.at(index);
    if (!is_image_file(entry)) {
        display = Display::NotAnImage;
        platform::doEvents();
    } else {
        display = Display::Picture;
        if (!program().keep_processing && !viewimage.setFileName(entry)) {
            // The caption and the name go on naming the entry shown before.
            display = Display::ErrorReading;
            fileWidth = fileHeight = platform::strForm(0);
            return;
        }
    }
    caption = QStringLiteral("Simple View - ") + entry;
    fileName = entry;
    const bool picture = display == Display::Picture;
    fileWidth = platform::strForm(picture ? viewimage.imageWidth() : 0);
    fileHeight = platform::strForm(picture ? viewimage.imageHeight() : 0);
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

QSizeF fit_in_frame(double width, double height, double frameWidth, double frameHeight)
{
    QSizeF size(width, height);
    const double roomWidth = frameWidth - 300;
    if (size.width() > 0 && size.width() >= roomWidth)
        size *= qMax(0.0, roomWidth) / size.width();
    const double roomHeight = frameHeight - 300;
    if (size.height() > 0 && size.height() >= roomHeight)
        size *= qMax(0.0, roomHeight) / size.height();
    return size;
}

} // namespace mosaicon::viewer
