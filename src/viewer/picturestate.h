#pragma once

#include "viewer/imageconversion.h"

#include "platform/controlvalues.h"
#include "platform/imagecontrol.h"
#include "platform/picturefit.h"
#include "platform/pictureloader.h"

#include <functional>

namespace mosaicon::viewer {

// The picture side of an image window's value, without its widgets: the frame
// (hidden while a picture is being made; its width and height in twips bound
// the picture), the picture, the two labels that stand in for it, and the
// loader that reads pictures off the GUI thread at the size they are shown.
struct PictureState
{
    // Designed size of the picture frame, in twips; the dialog gives it the
    // size it really has.
    static constexpr int designedFrame2Width = 4695;
    static constexpr int designedFrame2Height = 3735;

    platform::Frame Frame2{QStringLiteral("Image"), true, designedFrame2Width,
                           designedFrame2Height};
    platform::ImageControl viewimage;
    platform::Label error_reading_file{QStringLiteral("Error Reading File"), false};
    platform::Label o_notanimage{QStringLiteral("Not An Image"), false};
    platform::PictureLoader pictures;
    // Why the file "Error Reading File" stands for could not be read, naming
    // it: the label's tool tip.
    QString readError;
    // A whole list is being converted: the list clicks leave the create
    // buttons alone, and the window stays until the run has ended.
    bool batch_create_running = false;
    // While set, a list click shows the entry without reading its picture
    // (View Images' pop-up menu clears selections so). The window's own:
    // nothing another window or a profile does reaches it.
    bool keep_processing = false;
    // Leaving the window while a list is converted stops the conversion: no
    // picture starts after those in hand, and the window goes when it ends.
    RunStop* listStop = nullptr;
    bool leaveWhenListEnds = false;
    void leaveDuringList()
    {
        leaveWhenListEnds = true;
        if (listStop)
            listStop->stop();
    }

    // How both windows start converting a whole list: refused with the
    // read-error warning while the picture area shows that error, then the
    // user is asked about `where` and `ready` has its say (none: ready);
    // then the run is marked, the frame hidden ("Image Creation In Progress")
    // and `shown` lets the window show that before events run once. False
    // when nothing is to run.
    bool beginListConversion(ConversionKind kind, const QString& where,
                             const std::function<void()>& shown,
                             const std::function<bool()>& ready = {});

    // Runs events until the picture a click asked for is shown (or has shown
    // its error): for tests and the benchmark. False when it took longer.
    bool waitForPicture(int timeoutMs = 10000) { return pictures.waitForPicture(timeoutMs); }
};

// The picture frame's border and caption take 300 twips each way; a picture
// scaled to that room is kept 10 twips short of it.
inline constexpr platform::PictureMargins framedPictureMargins{
    .side = 300, .topAndBottom = 300, .trim = 10};

// The size in pixels at which a picture of that natural size is shown, reduced
// to a size limit (0: none) and fitted with framedPictureMargins into a frame of that
// size in twips: the size the picture is read at.
QSize fitted_picture_pixels(QSize natural, int limit, double frameWidth, double frameHeight);

// A twips size as the screen shows it, never less than one pixel.
QSize twips_to_pixels(double width, double height);

// Reads ahead the pictures a user steps to next with the arrow keys: the
// entries beside entry `current` of `count` that are images; `path` gives an
// entry's path.
void read_ahead_beside(platform::PictureLoader& pictures, int current, qsizetype count,
                       const std::function<QString(int)>& path);

// The picture a control shows is read again when the control holds it at
// another size than displaySize gives (the frame or the size limit changed);
// `shown` runs once the new copy is in the control. Nothing happens while a
// picture is asked for, and a failure leaves the control as it is.
void reread_at_shown_size(platform::PictureLoader& pictures, platform::ImageControl& viewimage,
                          const platform::ImageControl::DisplaySize& displaySize,
                          std::function<void()> shown);

} // namespace mosaicon::viewer
