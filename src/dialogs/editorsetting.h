#pragma once

#include "platform/dialogvalue.h"

#include <QObject>
#include <QString>

namespace mosaicon {

// The window "Applications", which edits the HTML editor command. The value
// holds the box and the window's rules; the dialog only shows it. Only Exit
// (and a file chosen by Select) stores the command; closing the window by its
// frame drops what was typed.
class EditorSetting : public platform::DialogValue
{
    Q_OBJECT

public:
    static constexpr int loadedHeight = 1965;

    // The load step: the box shows the editor command.
    explicit EditorSetting(QObject* parent = nullptr);

    QString caption = QStringLiteral("Applications");
    int height = 0; // twips

    platform::Frame Frame2{QStringLiteral("Editor")};
    // A program path, optionally followed by a blank and its arguments.
    TextBox o_editor;

    // Shows the window modally; returns when it has been hidden.
    void show();

    // Select: the editor file picker; a program it accepts is stored at once
    // and shown in the box.
    void chooseEditor();
    // Exit: stores the box's text as typed, then hides.
    void saveAndClose();
};

} // namespace mosaicon
