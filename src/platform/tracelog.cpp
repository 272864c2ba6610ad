#include "platform/tracelog.h"

#include "platform/files.h"

#include <QDebug>
#include <QFile>

namespace mosaicon::platform {

namespace {

constexpr int secondColumn = 30;

// The log's path while tracing, else empty.
QString& logPath()
{
    static QString path;
    return path;
}

void write_entry(const QString& first, const QString& second, QIODevice::OpenMode how)
{
    QFile log(logPath());
    const QByteArray entry = msglog_entry(first, second);
    if (!log.open(QIODevice::WriteOnly | how) || log.write(entry) != entry.size() || !log.flush())
        qWarning().noquote() << "cannot write the trace log" << logPath() << ":" << log.errorString();
}

} // namespace

QByteArray msglog_entry(const QString& first, const QString& second)
{
    QByteArray line = first.toUtf8();
    const qsizetype width = first.size();
    if (width >= secondColumn) {
        line += "\r\n";
        line += QByteArray(secondColumn - 1, ' ');
    } else {
        line += QByteArray(secondColumn - 1 - width, ' ');
    }
    line += second.toUtf8();
    line += "\r\n";
    return line;
}

void start_trace(const QString& folder)
{
    logPath() = joinPath(folder, QStringLiteral("msglog.txt"));
    const QString separator(25, u'-');
    write_entry(separator, separator, QIODevice::Truncate);
}

void stop_trace()
{
    logPath().clear();
}

bool tracing()
{
    return !logPath().isEmpty();
}

void trace(const QString& first, const QString& second)
{
    if (tracing())
        write_entry(first, second, QIODevice::Append);
}

} // namespace mosaicon::platform
