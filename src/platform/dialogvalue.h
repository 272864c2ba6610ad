#pragma once

#include "platform/controlvalues.h"

#include <QObject>

namespace mosaicon::platform {

// What every dialog's value shares: the kinds of control state it holds, and
// the signal that hides its window. Nothing of it needs widgets.
class DialogValue : public QObject
{
    Q_OBJECT

public:
    using CheckBox = platform::CheckBox;
    using ComboBox = platform::ComboBox;
    using Frame = platform::Frame;
    using Label = platform::Label;
    using ListBox = platform::ListBox;
    using OptionGroup = platform::OptionGroup;
    using TextBox = platform::TextBox;

    using QObject::QObject;

    // Cancel: the window is hidden; nothing more is done.
    void cancel() { emit hidden(); }

signals:
    // The window is to be hidden: the modal show returns.
    void hidden();
};

} // namespace mosaicon::platform
