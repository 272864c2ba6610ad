#include "viewer/widgets/targetdirectoryframe.h"

#include "platform/widgets/dirlistbox.h"
#include "platform/widgets/drivelistbox.h"
#include "platform/widgets/namedwidget.h"

#include <QVBoxLayout>

namespace mosaicon::viewer {

TargetDirectoryFrame::TargetDirectoryFrame(Order order, QWidget* parent)
    : QGroupBox(QStringLiteral("Target Directory"), parent)
{
    setObjectName(QStringLiteral("Frame3"));
    auto* column = new QVBoxLayout(this);
    // Made in the order shown, so that Tab moves down the frame.
    if (order == Order::DirAbove)
        m_dir = platform::namedWidget<platform::DirListBox>(QStringLiteral("Dir1"), this);
    m_drive = platform::namedWidget<platform::DriveListBox>(QStringLiteral("Drive1"), this);
    if (order == Order::DriveAbove)
        m_dir = platform::namedWidget<platform::DirListBox>(QStringLiteral("Dir1"), this);
    column->addWidget(order == Order::DirAbove ? static_cast<QWidget*>(m_dir) : m_drive);
    column->addWidget(order == Order::DirAbove ? static_cast<QWidget*>(m_drive) : m_dir);
}

} // namespace mosaicon::viewer
