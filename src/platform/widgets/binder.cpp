#include "platform/widgets/binder.h"

#include "platform/numbers.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace mosaicon::platform {

namespace {

const QString lineEnd = QStringLiteral("\r\n");

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

void pushControl(QPlainTextEdit* box, const TextBox& value)
{
    const QString shown = QString(value.text).replace(lineEnd, QStringLiteral("\n"));
    // Setting an unchanged text would move the cursor of the box being typed in.
    if (box->toPlainText() != shown)
        box->setPlainText(shown);
    box->setEnabled(value.enabled);
}

void pullControl(const QPlainTextEdit* box, TextBox& value)
{
    value.text = box->toPlainText().replace(u'\n', lineEnd);
}

void pushControl(QListWidget* list, const ListBox& value)
{
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown.append(list->item(i)->text());
    if (shown != value.entries) {
        list->clear();
        list->addItems(value.entries);
    }
    if (value.selected >= 0 && value.selected < list->count())
        list->setCurrentRow(value.selected, QItemSelectionModel::ClearAndSelect);
    else
        list->clearSelection();
}

void pullControl(const QListWidget* list, ListBox& value)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    value.selected = items.isEmpty() ? -1 : list->row(items.first());
}

} // namespace mosaicon::platform
