#pragma once

#include <QGroupBox>

namespace mosaicon::platform {
class DirListBox;
class DriveListBox;
} // namespace mosaicon::platform

namespace mosaicon::viewer {

// "Frame3", the image windows' target directory: a drive list "Drive1" and a
// directory list "Dir1", one above the other. What a change of either does is
// the window's.
class TargetDirectoryFrame final : public QGroupBox
{
    Q_OBJECT

public:
    enum class Order
    {
        DriveAbove,
        DirAbove,
    };

    TargetDirectoryFrame(Order order, QWidget* parent);

    platform::DriveListBox* drive() const { return m_drive; }
    platform::DirListBox* dir() const { return m_dir; }

private:
    platform::DriveListBox* m_drive = nullptr;
    platform::DirListBox* m_dir = nullptr;
};

} // namespace mosaicon::viewer
