#pragma once

#include "pagekit/generatedfiles.h"

#include "platform/widgets/valuedialog.h"

class QListWidget;

namespace mosaicon {

// Shows the generated-file list: a double click or File > Edit opens the
// selected file in the editor; Close / Exit, File > Exit, Escape and the
// frame's close end the modal display. It opens with no entry selected.
class FrmHtmlEdit final : public platform::ValueDialog<GeneratedFiles>
{
    Q_OBJECT

public:
    explicit FrmHtmlEdit(GeneratedFiles* value, QWidget* parent = nullptr);

    QListWidget* o_flist() const { return m_list; }

private:
    QListWidget* m_list = nullptr;
};

// Lets the generated-file list be shown by its dialog.
void registerFrmHtmlEdit();

} // namespace mosaicon
