#pragma once

#include "platform/ui.h"

#include <QStringList>

class QWidget;

namespace mosaicon::platform {

// The real dialogs: message boxes, input boxes, the common file and colour
// dialogs, and modal showing of the program's own windows, each found in the
// window registry by its name.
class WidgetUi final : public Ui
{
public:
    int messageBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> fileDialog(const FileDialogRequest& request) override;
    std::optional<QColor> colorDialog(const QColor& initial) override;
    bool showModal(const QString& windowName, QObject* window) override;

    // "Desc|*.gif;*.jpg|All|*.*" as Qt name filters "Desc (*.gif *.jpg)", "All (*.*)".
    // The file dialog shows each description alone, without the bracket added here.
    static QStringList qtFilters(const QString& filter);

    // The window a dialog opens over: the active window, unless it is hidden.
    // A closed dialog may stay the active window a while, and one kept with
    // its value may be on its way out: a dialog made over it would go with it.
    static QWidget* dialogParent();
};

} // namespace mosaicon::platform
