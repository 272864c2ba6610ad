#pragma once

#include <QSize>
#include <QStringList>

// The least work any thumbnailer must do, done in-process with TurboJPEG: each
// photo read into memory, decoded at 1/8 scale, averaged down into a box and
// encoded as JPEG to memory, on a number of threads.
struct DecodeFloor
{
    int made = 0; // thumbnails encoded
    QSize first;  // the first photo's thumbnail size
};

// False when the benchmark was built without TurboJPEG.
bool decode_floor_available();
DecodeFloor decode_floor(const QStringList& photos, int box, int quality, int threads);
