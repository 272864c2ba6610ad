#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QRandomGenerator>
#include <QString>

// Pictures for tests, small on disk.

// Bytes a reader takes for a sound picture of the kind the name's ending
// says (a 2 x 1 GIF, an 8 x 8 JPEG); other names get a byte of text.
inline QByteArray pictureBytes(const QString& name)
{
    const QString lower = name.toLower();
    if (lower.endsWith(QLatin1String(".gif")))
        return QByteArray("GIF89a\x02\x00\x01\x00\x80\x00\x00", 13) + QByteArray("\xFF\x00\x00\x00\x00\xFF", 6) +
               QByteArray("\x2C\x00\x00\x00\x00\x02\x00\x01\x00\x00", 10) +
               QByteArray("\x02\x02\x04\x0A\x00", 5) + QByteArray("\x3B", 1);
    if (lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg"))) {
        QImage small(8, 8, QImage::Format_RGB32);
        small.fill(Qt::darkCyan);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        small.save(&buffer, "JPEG");
        return bytes;
    }
    return "x";
}

// Pictures every reader must call damaged.

// A JPEG of noise cut off two thirds into its scan data: a decoder still
// reads it, painting the rest grey.
inline QByteArray cutShortJpeg()
{
    QImage noise(64, 64, QImage::Format_RGB32);
    QRandomGenerator rng(7);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, rng.generate());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    noise.save(&buffer, "JPEG", 95);
    return bytes.left(bytes.size() * 2 / 3);
}

// A whole 16 x 16 JPEG whose frame header states 60000 x 60000 pixels.
inline QByteArray hugeStatedJpeg()
{
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::gray);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    small.save(&buffer, "JPEG");
    const qsizetype frame = bytes.indexOf(QByteArrayLiteral("\xFF\xC0"));
    // Height, then width, after the marker, the length and the precision.
    for (const qsizetype at : {frame + 5, frame + 7}) {
        bytes[at] = char(60000 >> 8);
        bytes[at + 1] = char(60000 & 0xFF);
    }
    return bytes;
}
