#include "platform/ui.h"

#include <QDebug>

namespace mosaicon::platform {

namespace {

class NoUi final : public Ui
{
public:
    int messageBox(const QString& text, int style, const QString& title) override
    {
        qWarning().noquote() << "message box without a user interface:" << title << "-" << text;
        const int buttons = style & 7;
        return buttons == MsgBox::OkOnly ? MsgBox::Ok
               : buttons == MsgBox::YesNo ? MsgBox::No
                                          : MsgBox::Cancel;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> fileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QColor> colorDialog(const QColor&) override { return std::nullopt; }
    bool showModal(const QString& windowName, QObject*) override
    {
        qWarning().noquote() << "modal window without a user interface:" << windowName;
        return false;
    }
};

NoUi noUi;
Ui* current = nullptr;

} // namespace

Ui& ui()
{
    return current ? *current : noUi;
}

void setUi(Ui* ui)
{
    current = ui;
}

int msgbox(const QString& text, int style, const QString& title)
{
    return ui().messageBox(text, style, title);
}

} // namespace mosaicon::platform
