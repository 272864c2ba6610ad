#include "platform/textlines.h"

#include <QFile>
#include <QRegularExpression>

namespace mosaicon::platform {

QStringList splitLines(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<QStringList> readTextLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return splitLines(QString::fromUtf8(file.readAll()));
}

} // namespace mosaicon::platform
