#pragma once

#include "platform/dialogvalue.h"

#include <QObject>
#include <QStringList>

namespace mosaicon {

// "Edit HTML Files": the HTML files one page or slide-show run wrote, offered
// to the editor. The run empties the list, the writers append the full path
// of every page right after they open it, and at the end of the run they show
// it modally when the editor is to start by itself. Nothing of it is saved.
class GeneratedFiles : public platform::DialogValue
{
    Q_OBJECT

public:
    explicit GeneratedFiles(QObject* parent = nullptr);

    QString caption = QStringLiteral("Edit HTML Files");
    platform::ListBox o_flist;

    // Opens the selected file in the editor; without a selection the editor
    // starts without a file.
    void o_flist_DblClick();
    // Close / Exit.
    void close();
    // Shows the window modally; returns when it has been closed.
    void show();
};

} // namespace mosaicon
