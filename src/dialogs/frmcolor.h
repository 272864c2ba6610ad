#pragma once

#include "dialogs/coloroptions.h"

#include "platform/widgets/binder.h"
#include "platform/widgets/menutree.h"

#include <QDialog>
#include <QHash>
#include <QPointer>

#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QWidget;

namespace mosaicon {

// Shows ColorOptions: the samples in their colours, the swatches, the
// background picture. Each action takes the controls into the value, runs
// the value's rule and shows the value again.
class FrmColor final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmColor(ColorOptions* value, QWidget* parent = nullptr);

    ColorOptions* value() const { return m_value; }
    QAction* menuFileItem(int index) const;
    // The swatch o_color(index), the sample of a target.
    QLabel* swatch(int index) const;
    QWidget* sample(ColorOptions::Target target) const;

    // Esc and the frame's close run File > Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildSelection();
    QWidget* buildSamples();
    QGroupBox* buildBackground();
    QLabel* clickable(QLabel* label, std::function<void(ColorOptions&)> click);
    void push();
    void run(const std::function<void(ColorOptions&)>& action);

    QPointer<ColorOptions> m_value;
    platform::Binder<ColorOptions> m_binder;
    platform::MenuTree m_menus;
    QHash<QObject*, std::function<void(ColorOptions&)>> m_clicks;
    QList<QLabel*> m_swatches;
    QWidget* m_samples[ColorOptions::targetCount] = {};
    QLabel* m_o_image = nullptr;
    bool m_shownOnce = false;
};

void registerFrmColor();

} // namespace mosaicon
