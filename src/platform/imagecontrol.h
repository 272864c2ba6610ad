#pragma once

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/picturefit.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

namespace mosaicon::platform {

// A picture read for a display, on any thread (ImageControl::loadForDisplay):
// decoded at the size it is shown, with the file's natural size.
struct LoadedPicture
{
    QString path;
    QImage image;
    // The file's width and height, upright; 0 x 0 when it could not be read.
    QSize naturalSize{0, 0};
    // Why it could not be read; empty when it was.
    QString error;

    bool ok() const { return !image.isNull(); }
};

// The one place where pictures are loaded, measured, reduced and written as
// JPEG. It holds the properties of an image control on a form (placement in
// twips, 15 twips a pixel) and the decoded picture, without any window, so page
// writers and tests use it directly; ImageView shows it on screen.
//
// Pictures:
// - the natural picture is the file's full size, upright (EXIF orientation
//   applied);
// - the shown picture is the natural one reduced to fit sizeLimit x sizeLimit;
// - fitted to a width or a height, the shown picture is stretched to the
//   control's size.
//
// The control keeps the natural picture when it was read without a size limit,
// else only the reduced one (a 50-megapixel photo costs 200 MB). A later size
// limit change reduces from the kept picture when it has enough pixels (no file
// access, so several sizes of one photo are cheap) and re-reads the file only
// when a larger picture than the one held is needed.
//
// After a load or a clear, the memory of the last picture stays with the
// control until the next load decodes into it (at most one picture more).
//
// A picture window does not need a photo's every pixel: showLoaded() takes a
// picture decoded at the size the window shows it (loadForDisplay, usually on
// a worker thread). The control then holds only that, reports the file's
// natural size, and a later size limit reduces from what it holds without
// reading the file again.
class ImageControl
{
public:
    // The size a picture of that natural size is shown at in a window, in pixels.
    // Called on worker threads: it must only compute.
    using DisplaySize = std::function<QSize(QSize naturalSize)>;

    ImageControl();
    ImageControl(const ImageControl&) = delete;
    ImageControl& operator=(const ImageControl&) = delete;

    // Raises Qt's decoder memory limit so that 50-megapixel photos load. Called
    // by the constructor; calling it again does nothing.
    static void prepareDecoder();

    // Reads the file at the size displaySize gives for its natural size, never
    // larger than natural (a JPEG is decoded at 1/2, 1/4 or 1/8 scale on the
    // way). Safe on any thread; prepareDecoder() must have run.
    static LoadedPicture loadForDisplay(const QString& path, const DisplaySize& displaySize);
    // The natural size reduced to fit a size limit (0: none), as the control shows it.
    static QSize limitedSize(QSize naturalSize, int limit);
    // What loading the file under that size limit and saving it as JPEG hold
    // at most, in pixels of four bytes, from the file's header alone (a
    // decoder that scales while decoding builds at most twice the shown size
    // a side; a deep or transparent picture holds more): 0 when the header
    // cannot be read. Safe on any thread.
    static qint64 decodedPixels(const QString& path, int limit);

    // Told about every change that alters what is shown or where.
    void setChangeCallback(std::function<void()> callback);

    QString fileName() const { return m_fileName; }
    // Loads and shows that file; an empty path clears the control. On failure
    // the control is empty and errorString() says why.
    bool setFileName(const QString& path);

    // Shows a picture loaded for a window, as setFileName() shows a file: on
    // failure the control is empty and errorString() is the picture's error.
    bool showLoaded(const LoadedPicture& picture);

    // The natural size in pixels, whatever the size limit; 0 when empty.
    int imageWidth() const { return m_naturalSize.width(); }
    int imageHeight() const { return m_naturalSize.height(); }
    // The shown picture's size: the natural size reduced to the size limit.
    QSize shownSize() const { return limitedSize(m_naturalSize, m_sizeLimit); }
    // The size of the picture the control holds: the shown size, or less for
    // a picture loaded for a window.
    QSize heldSize() const { return m_shown.size(); }

    // 0: natural size; N > 0: reduced to fit in N x N pixels, never enlarged.
    int sizeLimit() const { return m_sizeLimit; }
    void setSizeLimit(int limit);

    // OwnSize: a load or a size limit change makes the control the shown
    // picture's size; fitted to a width or a height: the picture is stretched
    // to the control's width and height.
    FitMode fitMode() const { return m_fitMode; }
    void setFitMode(FitMode mode);

    // Settings of the next saveAsJpeg.
    // 0: baseline; any other value: progressive.
    int jpegOutputMode() const { return m_jpegOutputMode; }
    void setJpegOutputMode(int mode) { m_jpegOutputMode = mode; }
    bool jpegOptimize() const { return m_jpegOptimize; }
    void setJpegOptimize(bool optimize) { m_jpegOptimize = optimize; }
    // 0-100 (clamped); 0 writes like 1, the lowest quality the encoder has.
    int jpegQuality() const { return m_jpegQuality; }
    void setJpegQuality(int quality);
    // 0-100 (clamped): strength of a 3x3 blur applied before encoding.
    int jpegSmoothing() const { return m_jpegSmoothing; }
    void setJpegSmoothing(int smoothing);
    // 0-2 (clamped); kept for callers, it has no effect on a true-colour JPEG.
    int jpegDither() const { return m_jpegDither; }
    void setJpegDither(int dither);

    // Writes picture() as JPEG, atomically, transparency laid on backColor.
    // Given the picture it was made from, the JPEG carries this program's mark
    // naming that picture and its content (see jpeg_mark).
    bool saveAsJpeg(const QString& path, Flush flush = Flush::ToDisk, const QString& madeFrom = {});

    // A Windows colour number (0x00BBGGRR) that transparent pixels are laid on
    // when saved as JPEG.
    quint32 backColor() const { return m_backColor; }
    void setBackColor(quint32 color);
    // 0: flat, 1: 3D (a sunken frame when borderStyle is 1).
    int appearance() const { return m_appearance; }
    void setAppearance(int appearance);
    // 0: none, 1: fixed single (a 1-pixel frame). Only the display uses these.
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

    // Placement in twips. The display always fills the control's rectangle.
    double left() const { return m_left; }
    void setLeft(double twips);
    double top() const { return m_top; }
    void setTop(double twips);
    double width() const { return m_width; }
    void setWidth(double twips);
    double height() const { return m_height; }
    void setHeight(double twips);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);

    // The picture as saved: fitted to a width or a height at the control's
    // size in pixels, otherwise the picture held (the shown one, or less for a
    // picture loaded for a window). Null when empty or the control has no area.
    QImage picture() const;

    // Forgets the picture and the file name; placement and settings stay.
    void clear();
    bool isNull() const { return m_shown.isNull(); }
    // Why the last load, size limit change or save failed; empty after a
    // successful one.
    QString errorString() const { return m_error; }
    // Why the last setFileName() failed, without the file's name: for a
    // caller that read a copy and names the user's own file.
    QString errorReason() const { return m_errorReason; }

private:
    bool decode(const QString& path, int limit, QImage* decoded, QSize* naturalSize);
    bool forget();
    void reduce();
    void fitControlToPicture();
    QSize stretchedSize() const;
    void changed();

    std::function<void()> m_changed;
    QString m_fileName;
    QString m_error;
    QString m_errorReason;
    QImage m_decoded;
    QImage m_spare; // the memory of the last picture, for the next load
    QImage m_shown;
    mutable QImage m_stretched;
    QSize m_naturalSize{0, 0};
    // m_decoded was loaded for a window: it may be smaller than the shown
    // size, and the file is never read again for a size limit.
    bool m_forDisplay = false;
    int m_sizeLimit = 0;
    FitMode m_fitMode = FitMode::OwnSize;
    int m_jpegOutputMode = 0;
    bool m_jpegOptimize = false;
    int m_jpegQuality = 75;
    int m_jpegSmoothing = 0;
    int m_jpegDither = 0;
    quint32 m_backColor = 0x00FFFFFF;
    int m_appearance = 1;
    int m_borderStyle = 0;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    bool m_visible = true;
};

// The mark saveAsJpeg leaves in a thumbnail or reduced copy. The mark, not
// a record, tells a later run that the file is its own: a record can be lost
// with a killed run, and a name can be taken by the user's own photo.
struct JpegMark
{
    // The picture it was made from, as an absolute path (a relative one
    // comes from elsewhere and names no file).
    QString madeFrom;
    // That picture's size in bytes and modification time (ms since 1970,
    // UTC) when the file was written; -1 when unknown.
    qint64 sourceSize = -1;
    qint64 sourceModified = -1;
    // The digest of the bytes after the mark; empty in a mark of an earlier
    // version, which named the picture alone.
    QByteArray imageDigest;
    // The file still holds the bytes it was written with.
    bool unchanged = false;
};
// The mark of a file; none for a file without this program's mark.
std::optional<JpegMark> jpeg_mark(const QString& path);

// Told of every picture file a decoder is about to read, on the thread that
// reads it, so that a test can count the decodes of a run; none by default.
using DecodeWatcher = void (*)(const QString& path);
void set_decode_watcher(DecodeWatcher watcher);

} // namespace mosaicon::platform
