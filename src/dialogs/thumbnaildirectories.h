#pragma once

#include "platform/dialogvalue.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace mosaicon {

// The thumbnail source directory window: the folders listed in the settings
// file's [Thumbnail Directories], which the image windows fill as they make
// thumbnails. No command opens it.
class ThumbnailDirectories : public platform::DialogValue
{
    Q_OBJECT

public:
    ThumbnailDirectories();

    QString caption = QStringLiteral("Thumbnail Directories");
    // dir1, dir2, ... up to the first key that is missing or empty.
    QStringList directories;

    void Form_Load();

    // Load, show modally.
    static void showModally();
};

} // namespace mosaicon
