#pragma once

#include "dialogs/editorsetting.h"

#include "platform/widgets/binder.h"
#include "platform/widgets/menutree.h"

#include <QDialog>
#include <QPointer>

class QAction;

namespace mosaicon {

// Shows an EditorSetting. The frame's close and Escape end the display
// without storing anything.
class FrmApps final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmApps(EditorSetting* value, QWidget* parent = nullptr);

    EditorSetting* value() const { return m_value; }
    QAction* menuFileItem(int index) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void run(void (EditorSetting::*action)());

    QPointer<EditorSetting> m_value;
    platform::Binder<EditorSetting> m_binder;
    platform::MenuTree m_menus;
    bool m_shownOnce = false;
};

// Lets the editor window be shown by its dialog.
void registerFrmApps();

} // namespace mosaicon
