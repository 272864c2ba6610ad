#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QObject;

namespace mosaicon::platform {

// Message box styles and answers, as the program's code and documents number them.
namespace MsgBox {
constexpr int OkOnly = 0;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;

constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Retry = 4;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MsgBox

// What the common dialog is asked for: a title, a "Desc|pattern|Desc|pattern"
// filter, a starting folder and file name.
struct FileDialogRequest
{
    QString title;
    QString filter;
    QString initialDirectory;
    QString fileName;
    bool forSaving = false;
};

// Every message box, input box, file dialog, colour dialog and modal window
// of the program goes through this seam, so that a test can answer each one
// by script and check what was asked.
class Ui
{
public:
    virtual ~Ui() = default;

    // Returns the answer (MsgBox::Ok, Cancel, Retry, Yes, No). The text is plain text.
    virtual int messageBox(const QString& text, int style, const QString& title) = 0;
    // Empty when the user cancelled; an empty text when OK was pressed on nothing.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    // Empty when cancelled.
    virtual std::optional<QString> fileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<QColor> colorDialog(const QColor& initial) = 0;
    // Shows one of the program's own windows modally and returns when it
    // closes; false when it could not be shown (the user has been told).
    virtual bool showModal(const QString& windowName, QObject* window) = 0;
};

// The Ui in force; the real one is installed by the program at start, a
// scripted one by tests. Falls back to a Ui that answers Cancel to everything
// (and says so on standard error) so that nothing blocks without a window system.
Ui& ui();
void setUi(Ui* ui);

int msgbox(const QString& text, int style, const QString& title);

} // namespace mosaicon::platform
