#pragma once

#include "dialogs/placementoptions.h"

#include "platform/widgets/binder.h"
#include "platform/widgets/menutree.h"

#include <QDialog>
#include <QHash>
#include <QPointer>

#include <functional>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;

namespace mosaicon {

// Shows PlacementOptions. Each action takes the controls into the value,
// runs the value's rule and shows the value again.
class FrmFullImage final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmFullImage(PlacementOptions* value, QWidget* parent = nullptr);

    PlacementOptions* value() const { return m_value; }
    QAction* menuFileItem(int index) const;

    // Esc and the frame's close run File > Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QButtonGroup* options(const char* name, QWidget* frame, const QStringList& captions,
                          platform::OptionGroup PlacementOptions::*field,
                          void (PlacementOptions::*click)());
    QGroupBox* buildLocation();
    QGroupBox* buildText();
    QGroupBox* buildLayouts();
    void push();
    void run(const std::function<void(PlacementOptions&)>& action);

    QPointer<PlacementOptions> m_value;
    platform::Binder<PlacementOptions> m_binder;
    platform::MenuTree m_menus;
    QHash<QObject*, int> m_layoutOf;
    QGroupBox* m_f_location = nullptr;
    QGroupBox* m_f_text = nullptr;
    QGroupBox* m_f_layout = nullptr;
    QGroupBox* m_layoutFrames[4] = {};
    QLabel* m_layoutTexts[4] = {};
    QLabel* m_movedPictures[3] = {};
    QCheckBox* m_o_preformatted = nullptr;
    bool m_shownOnce = false;
};

void registerFrmFullImage();

} // namespace mosaicon
