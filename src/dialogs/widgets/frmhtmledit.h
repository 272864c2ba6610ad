#pragma once

#include "pagekit/generatedfiles.h"

#include "platform/widgets/menutree.h"

#include <QDialog>
#include <QPointer>

class QAction;
class QListWidget;

namespace mosaicon {

// Shows the generated-file list: a double click or File > Edit opens the
// selected file in the editor; Close / Exit, File > Exit and the frame's
// close end the modal display. It opens with no entry selected.
class FrmHtmlEdit final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmHtmlEdit(GeneratedFiles* value, QWidget* parent = nullptr);

    GeneratedFiles* value() const { return m_value; }
    QListWidget* o_flist() const { return m_list; }
    // Index 5 (Edit), 90 (the separator) or 99 (Exit); nullptr for any other.
    QAction* menuFileItem(int index) const;

    // Escape and the frame's close run File > Exit.
    void reject() override;

private:
    void selectionChanged();

    QPointer<GeneratedFiles> m_value;
    platform::MenuTree m_menus;
    QListWidget* m_list = nullptr;
};

// Lets the generated-file list be shown by its dialog.
void registerFrmHtmlEdit();

} // namespace mosaicon
