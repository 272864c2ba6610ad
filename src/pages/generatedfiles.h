#pragma once

#include "platform/form.h"

#include <QObject>
#include <QStringList>

namespace mosaicon {

// The HTML files one page or slide-show run wrote, offered to the editor.
// The run empties it, the writers add every page they open, and it is shown
// at the end of the run when the editor is to start by itself.
class GeneratedFiles : public QObject
{
    Q_OBJECT

public:
    explicit GeneratedFiles(QObject* parent = nullptr);

    QString caption = QStringLiteral("Edit HTML Files");
    QStringList o_flist;
    int selected = -1;

    // Opens the selected file in the editor.
    void o_flist_DblClick();
    // 5: Edit; 99: Exit; any other index does nothing.
    void menuFileItem_Click(int index);
    // Close / Exit.
    void Command1_Click();

signals:
    // The window is to be closed.
    void closed();
};

extern platform::Form<GeneratedFiles> frm_htmledit;

} // namespace mosaicon
