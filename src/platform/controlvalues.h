#pragma once

#include <QString>
#include <QStringList>

namespace mosaicon::platform {

// The state of one control as a dialog's value holds it, so that the code
// which fills and reads a window needs no widgets. A dialog shows these in its
// controls and takes back what the user can change.

struct TextBox
{
    QString text;
    bool enabled = true;

    friend bool operator==(const TextBox&, const TextBox&) = default;
};

struct CheckBox
{
    bool value = false;
    bool visible = true;
    bool enabled = true;

    friend bool operator==(const CheckBox&, const CheckBox&) = default;
};

// Width and height in twips; a frame given a size is laid out at it.
struct Frame
{
    QString caption;
    bool visible = true;
    int width = 0;
    int height = 0;

    friend bool operator==(const Frame&, const Frame&) = default;
};

// Option buttons of which one is chosen: index is the chosen button's Index,
// -1 when none is.
struct OptionGroup
{
    int index = -1;
    bool enabled = true;

    friend bool operator==(const OptionGroup&, const OptionGroup&) = default;
};

// index is the chosen entry, -1 for none. text is what the box shows: the
// chosen entry's text, or in a box the user types in, whatever was typed.
struct ComboBox
{
    QStringList entries;
    QString text;
    int index = -1;
    bool enabled = true;

    friend bool operator==(const ComboBox&, const ComboBox&) = default;
};

// A list box: its entries and the selected one (-1: none).
struct ListBox
{
    QStringList entries;
    int selected = -1;

    friend bool operator==(const ListBox&, const ListBox&) = default;
};

struct Label
{
    QString caption;
    bool visible = true;
    bool enabled = true;

    friend bool operator==(const Label&, const Label&) = default;
};

} // namespace mosaicon::platform
