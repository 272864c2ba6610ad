#pragma once

#include "dialogs/coloroptions.h"

#include "platform/widgets/valuedialog.h"

#include <QHash>

#include <functional>

class QGroupBox;
class QLabel;
class QWidget;

namespace mosaicon {

// Shows ColorOptions: the samples in their colours, the swatches, the
// background picture. Esc and the frame's close run File > Cancel.
class FrmColor final : public platform::ValueDialog<ColorOptions>
{
    Q_OBJECT

public:
    explicit FrmColor(ColorOptions* value, QWidget* parent = nullptr);

    // The swatch o_color(index), the sample of a target.
    QLabel* swatch(int index) const;
    QWidget* sample(ColorOptions::Target target) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildSelection();
    QWidget* buildSamples();
    QGroupBox* buildBackground();
    QLabel* clickable(QLabel* label, std::function<void(ColorOptions&)> click);
    void push() override;

    QHash<QObject*, std::function<void(ColorOptions&)>> m_clicks;
    QList<QLabel*> m_swatches;
    QWidget* m_samples[ColorOptions::targetCount] = {};
    QLabel* m_o_image = nullptr;
};

void registerFrmColor();

} // namespace mosaicon
