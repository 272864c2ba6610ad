#pragma once

#include "dialogs/thumbnaildirectories.h"

#include "platform/widgets/valuedialog.h"

namespace mosaicon {

// Shows ThumbnailDirectories: the directories in a list, one a line.
class FrmThumbDirs final : public platform::ValueDialog<ThumbnailDirectories>
{
    Q_OBJECT

public:
    explicit FrmThumbDirs(ThumbnailDirectories* value, QWidget* parent = nullptr);
};

// Lets the thumbnail directories be shown by their dialog.
void registerFrmThumbDirs();

} // namespace mosaicon
