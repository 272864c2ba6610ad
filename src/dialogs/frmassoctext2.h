#pragma once

#include "dialogs/assoctext.h"

#include "platform/widgets/binder.h"

#include <QDialog>
#include <QPointer>

class QBoxLayout;
class QLabel;
class QPlainTextEdit;

namespace mosaicon {

// Shows an AssocText: hands the buttons to its rules and closes when the
// value is hidden. Closing by the frame or Esc stores nothing.
class FrmAssocText2 final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmAssocText2(AssocText* value, QWidget* parent = nullptr);

    AssocText* value() const { return m_value; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildImage();
    void addButton(QBoxLayout* row, const char* name, const char* caption,
                   void (AssocText::*click)());
    void push();
    void pull();
    void run(void (AssocText::*action)());
    void valueHidden();

    QPointer<AssocText> m_value;
    platform::Binder<AssocText> m_binder;
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_image = nullptr;
    bool m_shownOnce = false;
};

// Makes the program show this dialog wherever the editor's value is shown modally.
void registerFrmAssocText2();

} // namespace mosaicon
