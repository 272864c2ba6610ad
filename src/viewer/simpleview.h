#pragma once

#include "platform/imagecontrol.h"
#include "platform/picturefit.h"
#include "platform/pictureloader.h"

#include <QObject>

#include <QRectF>
#include <QString>
#include <QStringList>

namespace mosaicon::viewer {

// What Simple View shows, without its widgets: its own copy of the main
// window's list, the captions, the file's name and pixel size, and which of
// the picture, "Not An Image" and "Error Reading File" is up. Pictures are read
// off the GUI thread at the size the picture frame shows them.
class SimpleView : public QObject
{
    Q_OBJECT

public:
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
    // Why the entry "Error Reading File" stands for could not be read, naming
    // it: the label's tool tip.
    QString readError;
    // While set, a click names the entry but loads no picture. The window's
    // own: what another window's run left in its flag does not reach here.
    bool keep_processing = false;
    // The picture frame's size in twips, as designed until the window tells it.
    QSizeF frame2{4695, 3740};
    platform::ImageControl viewimage;
    platform::PictureLoader pictures;

    explicit SimpleView(QObject* parent = nullptr);

    // Loads Simple View over the entries and shows it modally.
    static void showModally(const QStringList& mainList);

    // Fills the list from the main window's entries and shows the first one.
    void load(const QStringList& mainList);
    // Shows entry i (a click, or code selecting it). The picture is loaded
    // only while keep_processing is off; it shows, with the entry's caption,
    // name and size, once it has been read (or has failed).
    void click(int index);
    // The picture frame now has that size: pictures are read at their new size.
    void frame2Resized(QSizeF twips);
    // File > Exit.
    void hide() { emit hidden(); }
    // Runs events until the picture a click asked for is shown (or has shown
    // its error): for tests and the benchmark. False when it took longer.
    bool waitForPicture(int timeoutMs = 10000) { return pictures.waitForPicture(timeoutMs); }

signals:
    // The window is to be hidden: the modal show returns.
    void hidden();
    // A picture read off the GUI thread has changed what is shown.
    void changed();

private:
    void showPicture(int index, const platform::LoadedPicture& picture);
    void showEntry(int index);
    void readAhead();
    platform::ImageControl::DisplaySize displaySize() const;
};

// Where Simple View's frames go in a window of that width and inner height
// (twips); the list keeps its width and only grows in height.
struct SimpleViewGeometry
{
    static constexpr double minWidth = 8800;
    static constexpr double minHeight = 4700;
    static constexpr double designedWidth = 8820;
    static constexpr double designedInnerHeight = 5340;
    // The picture frame's border and caption take 300 twips each way.
    static constexpr platform::PictureMargins pictureMargins{.side = 300, .topAndBottom = 300};

    QRectF frame1;
    QRectF flelist; // inside frame1
    QRectF frame2;
    QRectF viewimage; // its place inside frame2 before the picture is fitted
    QRectF frame6;

    static SimpleViewGeometry forWindow(double width, double innerHeight);
};

} // namespace mosaicon::viewer
