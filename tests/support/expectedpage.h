#pragma once

#include <QByteArray>
#include <QString>
#include <QTest>

// An expected page kept as a file under tests/data, written with CR LF as the
// program writes it. "@FOLDER@" in it stands for the run's own folder.
QByteArray expected_page(const QString& name, const QString& folder = QString());

// "" when the page is the expected one; otherwise the first line that
// differs, numbered, as both sides have it.
QString page_difference(const QByteArray& actual, const QString& name, const QString& folder = QString());

// Fails the test with the first differing line.
#define COMPARE_PAGE(actual, ...)                                                                  \
    do {                                                                                           \
        const QString difference_ = page_difference((actual), __VA_ARGS__);                        \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                                  \
    } while (false)
