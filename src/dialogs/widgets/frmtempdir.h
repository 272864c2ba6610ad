#pragma once

#include "dialogs/targetdirectory.h"

#include "platform/widgets/valuedialog.h"

class QLabel;

namespace mosaicon {

namespace platform {
class DirListBox;
class DriveListBox;
} // namespace platform

// Shows a TargetDirectory: the user's changes of drive or directory go to the
// value's rules and the lists show the value again. The frame's close and
// Escape unload the window, which stores the selected directory.
class FrmTempDir final : public platform::ValueDialog<TargetDirectory>
{
    Q_OBJECT

public:
    explicit FrmTempDir(TargetDirectory* value, QWidget* parent = nullptr);

    platform::DriveListBox* o_drive() const { return m_drive; }
    platform::DirListBox* o_dir() const { return m_dir; }

private:
    void push() override;
    void driveChanged(const QString& root);
    void dirChanged(const QString& path);

    platform::DriveListBox* m_drive = nullptr;
    platform::DirListBox* m_dir = nullptr;
    QLabel* m_directory = nullptr;
    QLabel* m_text = nullptr;
    bool m_pushing = false;
};

// Lets the directory window be shown by its dialog.
void registerFrmTempDir();

} // namespace mosaicon
