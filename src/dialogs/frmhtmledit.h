#pragma once

#include "pages/generatedfiles.h"

#include <QDialog>
#include <QPointer>

class QAction;
class QListWidget;

namespace mosaicon {

// "Edit HTML Files": the files a run wrote; a double click opens one in the editor.
class FrmHtmlEdit final : public QDialog
{
    Q_OBJECT

public:
    explicit FrmHtmlEdit(GeneratedFiles* value, QWidget* parent = nullptr);

    GeneratedFiles* value() const { return m_value; }
    QListWidget* o_flist() const { return m_list; }
    QAction* menuFileItem(int index) const;

private:
    void takeSelection();

    QPointer<GeneratedFiles> m_value;
    QListWidget* m_list = nullptr;
    QAction* m_edit = nullptr;
    QAction* m_exit = nullptr;
};

// Lets the generated-file list be shown by its dialog.
void registerFrmHtmlEdit();

} // namespace mosaicon
