#pragma once

#include "platform/controlvalues.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <type_traits>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace mosaicon::platform {

// Value into control. Showing a value does not count as the user's doing: a
// dialog reacts to the user's signals (clicked, idClicked, activated) and to
// a box's text only where it differs from the value's, not to the changes
// these make.
void pushControl(QLineEdit* box, const TextBox& value);
void pushControl(QCheckBox* box, const CheckBox& value);
void pushControl(QGroupBox* frame, const Frame& value);
// The group's button ids are the options' indexes.
void pushControl(QButtonGroup* group, const OptionGroup& value);
void pushControl(QComboBox* box, const ComboBox& value);
void pushControl(QLabel* label, const Label& value);
// A multi-line box shows a text kept with CR LF, its last line end too, so
// that text typed at the end starts a line of its own.
void pushControl(QPlainTextEdit* box, const TextBox& value);
// The entries, and the selected one selected.
void pushControl(QListWidget* list, const ListBox& value);

// Control into value: only what the user can change comes back, so frames
// and labels have none.
void pullControl(const QLineEdit* box, TextBox& value);
void pullControl(const QCheckBox* box, CheckBox& value);
void pullControl(const QButtonGroup* group, OptionGroup& value);
void pullControl(const QComboBox* box, ComboBox& value);
// Every line end back to CR LF.
void pullControl(const QPlainTextEdit* box, TextBox& value);
// The selection, not the current row: a list makes its first entry current
// when it gains the focus, without the user choosing it.
void pullControl(const QListWidget* list, ListBox& value);

// Which field of a dialog's value each control shows, declared once; push()
// shows the whole value and pull() takes back what the user changed. When the
// value is a QObject that has gone, both do nothing.
template <class Value>
class Binder
{
public:
    explicit Binder(Value* value) : m_value(value) {}

    // Returns the control, so that it can be made where it is bound. The field
    // may be one Value inherits.
    template <class Control, class Field, class Owner>
        requires std::is_base_of_v<Owner, Value>
    Control* bind(Control* control, Field Owner::*field)
    {
        Binding binding;
        binding.push = [control, field](const Value& v) { pushControl(control, v.*field); };
        if constexpr (requires(Field& f) { pullControl(control, f); })
            binding.pull = [control, field](Value& v) { pullControl(control, v.*field); };
        m_bindings.push_back(std::move(binding));
        return control;
    }

    void push() const
    {
        if (!m_value)
            return;
        for (const Binding& binding : m_bindings)
            binding.push(*m_value);
    }

    void pull() const
    {
        if (!m_value)
            return;
        for (const Binding& binding : m_bindings) {
            if (binding.pull)
                binding.pull(*m_value);
        }
    }

private:
    struct Binding
    {
        std::function<void(const Value&)> push;
        std::function<void(Value&)> pull;
    };

    std::conditional_t<std::is_base_of_v<QObject, Value>, QPointer<Value>, Value*> m_value;
    std::vector<Binding> m_bindings;
};

} // namespace mosaicon::platform
