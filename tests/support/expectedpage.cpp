#include "expectedpage.h"

#include <QFile>

QByteArray expected_page(const QString& name, const QString& folder)
{
    QFile file(QStringLiteral(MOSAICON_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<cannot read ") + file.fileName().toUtf8() + "> " + file.errorString().toUtf8();
    QByteArray bytes = file.readAll();
    bytes.replace("@FOLDER@", folder.toUtf8());
    return bytes;
}

QString page_difference(const QByteArray& actual, const QString& name, const QString& folder)
{
    const QByteArray expected = expected_page(name, folder);
    if (actual == expected)
        return QString();
    // Split on LF alone, so a missing or extra CR shows as a difference.
    const QList<QByteArray> got = actual.split('\n');
    const QList<QByteArray> want = expected.split('\n');
    qsizetype line = 0;
    while (line < got.size() && line < want.size() && got.at(line) == want.at(line))
        ++line;
    const auto shown = [](const QList<QByteArray>& lines, qsizetype i) {
        if (i >= lines.size())
            return QStringLiteral("(no more lines)");
        return QString::fromUtf8(lines.at(i)).replace(u'\r', QStringLiteral("\\r"));
    };
    return QStringLiteral("%1 differs at line %2:\n   actual: %3\n expected: %4")
        .arg(name)
        .arg(line + 1)
        .arg(shown(got, line), shown(want, line));
}
