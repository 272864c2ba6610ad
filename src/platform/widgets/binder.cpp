#include "platform/widgets/binder.h"

#include "platform/imagecontrol.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace mosaicon::platform {

namespace {

int pixels(int twips)
{
    return qRound(twips / ImageControl::TwipsPerPixel);
}

QStringList entriesOf(const QComboBox* box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries.append(box->itemText(i));
    return entries;
}

} // namespace

void pushControl(QLineEdit* box, const TextBox& value)
{
    // Setting an unchanged text would move the cursor of the box being typed in.
    if (box->text() != value.text)
        box->setText(value.text);
    box->setEnabled(value.enabled);
}

void pushControl(QCheckBox* box, const CheckBox& value)
{
    box->setChecked(value.value);
    box->setVisible(value.visible);
    box->setEnabled(value.enabled);
}

void pushControl(QGroupBox* frame, const Frame& value)
{
    frame->setTitle(value.caption);
    frame->setVisible(value.visible);
    if (value.width > 0 && value.height > 0)
        frame->setFixedSize(pixels(value.width), pixels(value.height));
}

void pushControl(QButtonGroup* group, const OptionGroup& value)
{
    if (QAbstractButton* chosen = group->button(value.index)) {
        chosen->setChecked(true);
    } else if (QAbstractButton* checked = group->checkedButton()) {
        // An exclusive group keeps one button checked; choosing none needs a way round.
        const bool exclusive = group->exclusive();
        group->setExclusive(false);
        checked->setChecked(false);
        group->setExclusive(exclusive);
    }
    for (QAbstractButton* button : group->buttons())
        button->setEnabled(value.enabled);
}

void pushControl(QComboBox* box, const ComboBox& value)
{
    if (entriesOf(box) != value.entries) {
        box->clear();
        box->addItems(value.entries);
    }
    // As in a text box, an unchanged choice or text is left alone: setting
    // either again would put back the text and move the cursor.
    if (box->currentIndex() != value.index)
        box->setCurrentIndex(value.index);
    if (box->isEditable() && box->currentText() != value.text)
        box->setEditText(value.text);
    box->setEnabled(value.enabled);
}

void pushControl(QLabel* label, const Label& value)
{
    label->setText(value.caption);
    label->setVisible(value.visible);
    label->setEnabled(value.enabled);
}

void pullControl(const QLineEdit* box, TextBox& value)
{
    value.text = box->text();
}

void pullControl(const QCheckBox* box, CheckBox& value)
{
    value.value = box->isChecked();
}

void pullControl(const QButtonGroup* group, OptionGroup& value)
{
    value.index = group->checkedId();
}

void pullControl(const QComboBox* box, ComboBox& value)
{
    value.index = box->currentIndex();
    value.text = box->currentText();
}

} // namespace mosaicon::platform
