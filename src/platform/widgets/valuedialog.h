#pragma once

#include "platform/widgets/binder.h"
#include "platform/widgets/centerform.h"
#include "platform/widgets/menutree.h"
#include "platform/widgets/namedwidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <span>
#include <vector>

namespace mosaicon::platform {

// What every dialog over a value does alike: an action takes the controls into
// the value, runs the value's rule and shows the value again; the dialog closes
// when the value is hidden; Esc and the frame's close run the value's own rule
// for them where it has one; the first showing gives the window the value's
// designed height, if it has one, and centres it.
template <class Value> class ValueDialog : public QDialog
{
public:
    using Action = std::function<void(Value&)>;
    using Row = CommandRow<Value>;
    using Command = void (Value::*)();
    // How a window runs its menu commands when not simply one by one.
    using Runner = std::function<void(Value&, Command)>;
    // A check box of the dialog: its object name, its caption and its field.
    struct CheckRow
    {
        const char* name;
        const char* caption;
        CheckBox Value::*box;
    };
    // What Esc and the frame's close do in a dialog that saves or cancels.
    enum class Escape
    {
        Cancels,
        Saves,
    };

    Value* value() const { return m_value; }
    // Index `index` of the File menu; nullptr when it has none.
    QAction* menuFileItem(int index) const { return m_menus.item(fileItems(), index); }
    // Item `index` of an item array of the menu bar or of the pop-up menu; nullptr when none.
    QAction* menuItem(const QString& array, int index) const
    {
        QAction* item = m_menus.item(array, index);
        return item ? item : m_popupMenus.item(array, index);
    }

    void reject() override
    {
        if (m_value && m_escape)
            run(m_escape);
        else
            QDialog::reject();
    }

protected:
    ValueDialog(Value* value, QWidget* parent) : QDialog(parent), m_value(value), m_binder(value) {}

    // The dialog ends when its value is hidden, and when the value goes.
    void closeWhenHidden()
    {
        if (!m_value)
            return;
        connect(m_value, &Value::hidden, this, [this] { QDialog::done(Accepted); });
        connect(m_value, &QObject::destroyed, this, [this] { QDialog::reject(); });
    }

    void setEscape(Action action) { m_escape = std::move(action); }

    // The standard ending of a dialog whose value saves or cancels (its
    // saveAndClose() and cancel()): the File menu, the window's own rows first,
    // then Cancel (98) and Save / Exit (99); Esc and the frame's close run one
    // of the two; the dialog closes when the value is hidden. One window
    // spells its Save / Exit row without blanks, so the caption may differ.
    void endWithSaveOrCancel(Escape escape, std::span<const Row> ownFileRows = {},
                             const char* saveExitCaption = saveExitRow.caption)
    {
        std::vector<Row> rows{{{"menuFile", MenuRow::heading, "&File"}}};
        rows.insert(rows.end(), ownFileRows.begin(), ownFileRows.end());
        rows.push_back({cancelRow, &Value::cancel});
        rows.push_back({{saveExitRow.name, saveExitRow.index, saveExitCaption}, &Value::saveAndClose});
        addMenuBar(rows);
        closeWhenHidden();
        if (escape == Escape::Saves)
            setEscape(&Value::saveAndClose);
        else
            setEscape(&Value::cancel);
    }

    // The buttons of that ending; the caller lays them out.
    QPushButton* saveButton(const char* name)
    {
        return actionButton(name, "Save / Exit", &Value::saveAndClose);
    }
    QPushButton* cancelButton(const char* name)
    {
        return actionButton(name, "Cancel", &Value::cancel);
    }

    void run(const Action& action)
    {
        if (!m_value)
            return;
        pull();
        action(*m_value);
        push();
    }

    // Runs the action on every change of the box's text the value does not
    // hold yet: typed, pasted or set by an assistive tool, not shown from it.
    void runOnChange(QLineEdit* box, TextBox Value::*field, Action action)
    {
        connect(box, &QLineEdit::textChanged, this,
                [this, field, action = std::move(action)](const QString& text) {
                    if (m_value && text != (m_value->*field).text)
                        run(action);
                });
    }

    // The menu bar from its table, above the window's layout (made first);
    // every item runs its row's handler on the value, through runner if given.
    void addMenuBar(std::span<const Row> rows, Runner runner = {})
    {
        auto* bar = namedWidget<QMenuBar>(QStringLiteral("menuBar"), this);
        m_menus = MenuTree(bar, rows);
        connectRows(m_menus, rows, std::move(runner));
        layout()->setMenuBar(bar);
    }

    // A pop-up menu from its table (one heading and its items), on a menu bar
    // of its own that is never shown; items run as the menu bar's do.
    QMenu* addPopupMenu(std::span<const Row> rows, Runner runner = {})
    {
        const QString menu = QString::fromUtf8(rows.front().row.name);
        QMenuBar* hiddenBar = namedWidget<QMenuBar>(menu + QStringLiteral("Bar"), this);
        hiddenBar->hide();
        m_popupMenus = MenuTree(hiddenBar, rows);
        connectRows(m_popupMenus, rows, std::move(runner));
        return hiddenBar->findChild<QMenu*>(menu);
    }

    QPushButton* actionButton(const char* name, const char* caption, Action click)
    {
        auto* button =
            namedWidget<QPushButton>(QString::fromUtf8(name), QString::fromUtf8(caption), this);
        connect(button, &QPushButton::clicked, this,
                [this, click = std::move(click)] { run(click); });
        return button;
    }

    // Option buttons named `name`, one a caption, each with its place as
    // Index, in one group bound to the field; the caller lays them out.
    QButtonGroup* optionGroup(const char* name, std::span<const char* const> captions,
                              OptionGroup Value::*field, QWidget* parent)
    {
        const QString objectName = QString::fromUtf8(name);
        auto* group = namedWidget<QButtonGroup>(objectName, this);
        for (int i = 0; i < int(captions.size()); ++i) {
            auto* option = namedWidget<QRadioButton>(
                objectName, QString::fromUtf8(captions[size_t(i)]), parent);
            option->setProperty("Index", i);
            group->addButton(option, i);
        }
        return m_binder.bind(group, field);
    }

    // A check box shown from a field; a click takes it into the value and runs
    // the value's change rule for it.
    QCheckBox* ruledCheckBox(const char* name, const char* caption, CheckBox Value::*field,
                             QWidget* parent)
    {
        auto* box = m_binder.bind(
            namedWidget<QCheckBox>(QString::fromUtf8(name), QString::fromUtf8(caption), parent),
            field);
        connect(box, &QCheckBox::clicked, this,
                [this, field] { run([field](Value& v) { v.changed(field); }); });
        return box;
    }

    // A dialog whose controls are not all bound extends these.
    virtual void push() { m_binder.push(); }
    virtual void pull() { m_binder.pull(); }

    void showEvent(QShowEvent* event) override
    {
        push();
        if (m_value)
            placeOnFirstShow(this, m_shownOnce, designedHeight());
        QDialog::showEvent(event);
    }

    QPointer<Value> m_value;
    Binder<Value> m_binder;
    MenuTree m_menus;
    MenuTree m_popupMenus;

private:
    static QString fileItems() { return QStringLiteral("menuFileItem"); }

    void connectRows(const MenuTree& menus, std::span<const Row> rows, Runner runner)
    {
        menus.connectRows(rows, this, [this, runner](Command command) {
            if (runner)
                run([&runner, command](Value& v) { runner(v, command); });
            else
                run(command);
        });
    }

    double designedHeight() const
    {
        if constexpr (requires(const Value& v) { v.height; })
            return m_value->height;
        else
            return 0;
    }

    Action m_escape;
    bool m_shownOnce = false;
};

} // namespace mosaicon::platform
