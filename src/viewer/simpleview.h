#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

namespace mosaicon::platform {
class ImageControl;
} // namespace mosaicon::platform

namespace mosaicon::viewer {

// What Simple View shows, without its widgets: its own copy of the main
// window's list, the captions, the file's name and pixel size, and which of
// the picture, "Not An Image" and "Error Reading File" is up. The rules read
// pictures through the window's image control.
struct SimpleView
{
    enum class Display
    {
        Nothing,
        Picture,
        NotAnImage,
        ErrorReading
    };

    QStringList flelist; // sorted with image_path_less
    int current = -1;
    QString frame1Caption = QStringLiteral("File List");
    QString caption = QStringLiteral("Simple View");
    QString fileName;
    QString fileWidth;
    QString fileHeight;
    Display display = Display::Nothing;

    // Fills the list from the main window's entries and shows the first one.
    void load(const QStringList& mainList, platform::ImageControl& viewimage);
    // Shows entry i (a click, or code selecting it). The picture is loaded
    // only while keep_processing is off.
    void click(int index, platform::ImageControl& viewimage);
};

// Where Simple View's frames go in a window of that width and inner height
// (twips); the list keeps its width and only grows in height.
struct SimpleViewGeometry
{
    static constexpr double minWidth = 8800;
    static constexpr double minHeight = 4700;
    static constexpr double designedWidth = 8820;
    static constexpr double designedInnerHeight = 5340;

    QRectF frame1;
    QRectF flelist; // inside frame1
    QRectF frame2;
    QRectF viewimage; // its place inside frame2 before the picture is fitted
    QRectF frame6;

    static SimpleViewGeometry forWindow(double width, double innerHeight);
};

// A picture of width x height twips fitted into a frame of the given size, its
// shape kept: scaled to the frame's width less 300 when it is that wide or
// wider, then to the frame's height less 300 when it is still that high.
QSizeF fit_in_frame(double width, double height, double frameWidth, double frameHeight);

} // namespace mosaicon::viewer
