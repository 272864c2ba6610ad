#pragma once

#include "scriptedshell.h"
#include "scriptedui.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// A program folder of its own for one test case, with the scripted platform
// installed and every process-wide value back at its start state. Nothing a
// test does reaches the user's folder, a real dialog or a real browser.
class TestProgram
{
public:
    explicit TestProgram(const QStringList& arguments = {});
    ~TestProgram();
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    QString folder() const { return m_dir.path(); }
    QString path(const QString& name) const;
    QByteArray read(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes) const;
    // The settings file as text with CR LF shown as "\n".
    QString settingsText() const;

    mosaicon::platform::ScriptedUi ui;
    mosaicon::platform::ScriptedShell shell;
    int endCalls = 0;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
};

// Fails the test with the scripted dialogs' complaints, if any.
#define VERIFY_DIALOGS(program)                                                                    \
    QVERIFY2((program).ui.problems().isEmpty(), qPrintable((program).ui.problems().join(u'\n')))

// The page colours a first start reads: white background, black text, blue links.
void setDefaultPageColours();
