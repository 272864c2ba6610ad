#pragma once

#include "dialogs/placementoptions.h"

#include "platform/widgets/valuedialog.h"

#include <QHash>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;

namespace mosaicon {

// Shows PlacementOptions. Esc and the frame's close run File > Cancel.
class FrmFullImage final : public platform::ValueDialog<PlacementOptions>
{
    Q_OBJECT

public:
    explicit FrmFullImage(PlacementOptions* value, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QButtonGroup* options(const char* name, QWidget* frame, std::span<const char* const> captions,
                          platform::OptionGroup PlacementOptions::*field,
                          void (PlacementOptions::*click)());
    QGroupBox* buildLocation();
    QGroupBox* buildText();
    QGroupBox* buildLayouts();
    void push() override;

    QHash<QObject*, int> m_layoutOf;
    QGroupBox* m_f_location = nullptr;
    QGroupBox* m_f_text = nullptr;
    QGroupBox* m_f_layout = nullptr;
    QGroupBox* m_layoutFrames[4] = {};
    QLabel* m_layoutTexts[4] = {};
    QLabel* m_movedPictures[3] = {};
    QCheckBox* m_o_preformatted = nullptr;
};

void registerFrmFullImage();

} // namespace mosaicon
