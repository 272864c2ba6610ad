#include "platform/editor.h"

#include "platform/mainformview.h"
#include "platform/shell.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace mosaicon::platform {

namespace {

// Splits the command into words at blanks and tabs. Single or double quotes
// keep blanks inside a word and are dropped; quoted text joins the text
// around it, and an unclosed quote runs to the end. Users write either kind
// of quote, as they would in a shell.
QStringList splitCommand(const QString& command)
{
    QStringList words;
    QString word;
    bool inWord = false;
    QChar quote;
    for (const QChar c : command) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                word += c;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
            inWord = true;
        } else if (c == u' ' || c == u'\t') {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

// The executable the program word names, or "" when there is none.
QString findProgram(const QString& name)
{
    if (name.isEmpty())
        return {};
    if (!name.contains(u'/'))
        return QStandardPaths::findExecutable(name);
    const QFileInfo info(name);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

} // namespace

bool start_editor(const QString& command, const QString& file, const Tell& tell)
{
    QStringList arguments = splitCommand(command);
    const QString editor = arguments.isEmpty() ? QString() : findProgram(arguments.takeFirst());
    if (editor.isEmpty()) {
        const QString text =
            QStringLiteral("The editor,") + command + QStringLiteral(" does not exist.");
        show_status(text);
        tell(text);
        return false;
    }
    if (!file.isEmpty())
        arguments.append(file);
    if (!shell().startProgram(editor, arguments)) {
        tell(QStringLiteral("The editor ") + editor + QStringLiteral(" could not be started."));
        return false;
    }
    return true;
}

} // namespace mosaicon::platform
