#pragma once

#include "platform/files.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

namespace mosaicon::platform {

// The one place where pictures are loaded, measured, reduced and written as
// JPEG. It holds the properties of an image control on a form (placement in
// twips, 15 twips a pixel) and the decoded picture, without any window, so page
// writers and tests use it directly; ImageView shows it on screen.
//
// Pictures:
// - the natural picture is the file's full size, upright (EXIF orientation
//   applied);
// - the shown picture is the natural one reduced to fit sizeLimit x sizeLimit;
// - in fitMode 2 or 3 the shown picture is stretched to the control's size.
//
// The control keeps the natural picture when it was read without a size limit,
// else only the reduced one (a 50-megapixel photo costs 200 MB). A later size
// limit change reduces from the kept picture when it has enough pixels (no file
// access, so several sizes of one photo are cheap) and re-reads the file only
// when a larger picture than the one held is needed.
//
// After a load or a clear, the memory of the last picture stays with the
// control until the next load decodes into it (at most one picture more).
class ImageControl
{
public:
    ImageControl();
    ImageControl(const ImageControl&) = delete;
    ImageControl& operator=(const ImageControl&) = delete;

    // Raises Qt's decoder memory limit so that 50-megapixel photos load. Called
    // by the constructor; calling it again does nothing.
    static void prepareDecoder();

    // Told about every change that alters what is shown or where.
    void setChangeCallback(std::function<void()> callback);

    QString fileName() const { return m_fileName; }
    // Loads and shows that file; an empty path clears the control. On failure
    // the control is empty and errorString() says why.
    bool setFileName(const QString& path);

    // The natural size in pixels, whatever the size limit; 0 when empty.
    int imageWidth() const { return m_naturalSize.width(); }
    int imageHeight() const { return m_naturalSize.height(); }

    // 0: natural size; N > 0: reduced to fit in N x N pixels, never enlarged.
    int sizeLimit() const { return m_sizeLimit; }
    void setSizeLimit(int limit);

    // 1: a load or a size limit change makes the control the shown picture's
    // size; 2 and 3: the picture is stretched to the control's width and height.
    int fitMode() const { return m_fitMode; }
    void setFitMode(int mode);

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
    bool saveAsJpeg(const QString& path, Flush flush = Flush::ToDisk);

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

    // The picture as saved: in fitMode 2/3 at the control's size in pixels,
    // otherwise the shown picture. Null when empty or the control has no area.
    QImage picture() const;

    // Forgets the picture and the file name; placement and settings stay.
    void clear();
    bool isNull() const { return m_shown.isNull(); }
    // Why the last load, size limit change or save failed; empty after a
    // successful one.
    QString errorString() const { return m_error; }

    static constexpr double TwipsPerPixel = 15.0;

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
    QImage m_decoded;
    QImage m_spare; // the memory of the last picture, for the next load
    QImage m_shown;
    mutable QImage m_stretched;
    QSize m_naturalSize{0, 0};
    int m_sizeLimit = 0;
    int m_fitMode = 1;
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

} // namespace mosaicon::platform
