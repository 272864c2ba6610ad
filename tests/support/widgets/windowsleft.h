#pragma once

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QWidget>

// Deletes the top-level windows a test case left behind and names them, so
// that the next case starts with none: one case that fails with its windows
// open then fails once, not with every case after it.
inline QStringList closeWindowsLeftOpen()
{
    QStringList names;
    QList<QPointer<QWidget>> left;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        names.append(QStringLiteral("%1 \"%2\"").arg(
            QString::fromUtf8(window->metaObject()->className()), window->objectName()));
        left.append(window);
    }
    // Parents first: their own windows (menus, boxes) go with them.
    for (const QPointer<QWidget>& window : std::as_const(left)) {
        if (window && !window->parentWidget())
            delete window.data();
    }
    for (const QPointer<QWidget>& window : std::as_const(left))
        delete window.data();
    return names;
}

// For cleanup(): no window is left open. A case that has failed already is
// cleaned up without a second failure.
#define VERIFY_NO_WINDOW_LEFT()                                                                    \
    do {                                                                                           \
        const QStringList left = closeWindowsLeftOpen();                                           \
        if (!QTest::currentTestFailed())                                                           \
            QVERIFY2(left.isEmpty(),                                                               \
                     qPrintable(QStringLiteral("Windows left open: ") + left.join(u", ")));         \
    } while (false)
