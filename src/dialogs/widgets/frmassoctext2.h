#pragma once

#include "dialogs/assoctext.h"

#include "platform/widgets/valuedialog.h"

class QLabel;

namespace mosaicon {

// Shows an AssocText: hands the buttons to its rules and closes when the
// value is hidden. Closing by the frame or Esc stores nothing.
class FrmAssocText2 final : public platform::ValueDialog<AssocText>
{
    Q_OBJECT

public:
    explicit FrmAssocText2(AssocText* value, QWidget* parent = nullptr);

private:
    QWidget* buildImage();
    void push() override;

    QLabel* m_image = nullptr;
};

// Makes the program show this dialog wherever the editor's value is shown modally.
void registerFrmAssocText2();

} // namespace mosaicon
