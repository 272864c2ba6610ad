#pragma once

#include "testprogram.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <functional>
#include <type_traits>
#include <utility>

// Works a dialog over a value the way the user does: `open` shows the value
// modally as the program does (by default its showModally()), the dialog
// named `name` opens over it, `user` works it, and the dialog must have ended
// exactly once when the user is done.
template <class Dialog,
          class Value = std::remove_pointer_t<decltype(std::declval<Dialog&>().value())>>
void workModalDialog(TestProgram& tp, const QString& name, const std::function<void(Dialog&)>& user,
                     const std::function<void()>& open = &Value::showModally)
{
    tp.ui.expectModal(name, [&](QObject* value) {
        Dialog dialog(qobject_cast<Value*>(value));
        dialog.open();
        QSignalSpy finished(&dialog, &QDialog::finished);
        user(dialog);
        QCOMPARE(finished.size(), 1);
        QVERIFY(!dialog.isVisible());
    });
    open();
    VERIFY_DIALOGS(tp);
}

inline void click(QWidget& window, const QString& name)
{
    window.findChild<QAbstractButton*>(name)->click();
}

// Replaces a text box's text by typing.
inline void type(QWidget& window, const char* box, const QString& text)
{
    auto* edit = window.findChild<QLineEdit*>(QString::fromUtf8(box));
    edit->clear();
    QTest::keyClicks(edit, text);
}
