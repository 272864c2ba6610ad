#pragma once

#include "platform/ui.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace mosaicon::platform {

// A Ui for tests: each prompt the program raises is checked against the next
// expected one and answered by the script; what was asked is recorded. A
// prompt that was not expected, or whose text differs, is a failure: it is
// recorded and handed to the failure handler, which by default stops the test
// at once with the reason.
class ScriptedUi final : public Ui
{
public:
    enum class Kind { Message, Input, File, Color, Modal };

    // Told why a prompt failed. A handler that returns lets the prompt be
    // answered Cancel (a message box that offers only OK is answered OK).
    using FailureHandler = std::function<void(const QString& reason)>;

    struct Asked
    {
        Kind kind;
        QString text;  // message or prompt text, dialog title, or window name
        QString title; // message box title, or the file dialog's filter
        int style = 0;
        QString defaultText; // input default, or the file dialog's initial directory
    };

    // An expected text of std::nullopt accepts any text.
    // whileShown runs while the box is open, as events would under a real one.
    ScriptedUi& expectMessage(std::optional<QString> text, int answer = MsgBox::Ok,
                              std::function<void()> whileShown = {});
    ScriptedUi& expectInput(std::optional<QString> prompt, std::optional<QString> answer);
    ScriptedUi& expectFile(std::optional<QString> title, std::optional<QString> answer);
    ScriptedUi& expectColor(std::optional<QColor> answer);
    // The action runs in place of the window's modal loop, with the window.
    ScriptedUi& expectModal(const QString& windowName, std::function<void(QObject*)> action = {});

    // The default handler is stopTest(); a test of the failures themselves
    // installs one that returns.
    void setFailureHandler(FailureHandler handler);
    // Ends the program with the reason as a fatal message: under Qt Test the
    // running case fails there, naming the prompt. Answering Cancel instead
    // would hang a loop that asks again until it gets an answer.
    static void stopTest(const QString& reason);

    const QList<Asked>& asked() const { return m_asked; }
    const QStringList& failures() const { return m_failures; }
    // Failures, plus every expected prompt that was never raised.
    QStringList problems() const;
    void clear();

    int messageBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> fileDialog(const FileDialogRequest& request) override;
    std::optional<QColor> colorDialog(const QColor& initial) override;
    bool showModal(const QString& windowName, QObject* window) override;

private:
    struct Expected
    {
        Kind kind;
        std::optional<QString> text;
        int answer = 0;
        std::optional<QString> textAnswer;
        std::optional<QColor> colorAnswer;
        std::function<void(QObject*)> action;
    };

    // The next expectation if it is of this kind and its text matches; else a failure.
    std::optional<Expected> take(Kind kind, const QString& text);
    void fail(const QString& reason);

    QList<Expected> m_expected;
    QList<Asked> m_asked;
    QStringList m_failures;
    FailureHandler m_onFailure = &ScriptedUi::stopTest;
};

} // namespace mosaicon::platform
