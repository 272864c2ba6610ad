#include "settings/tracelog.h"

#include "settings/program.h"

#include "platform/files.h"

#include <QDebug>
#include <QFile>

namespace mosaicon {

namespace {

constexpr int secondColumn = 30;

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

bool write_msglog(const QString& first, const QString& second, int mode)
{
    const QString path = platform::joinPath(program().program_folder, QStringLiteral("msglog.txt"));
    QFile log(path);
    const QIODevice::OpenMode how =
        mode == 1 ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::WriteOnly | QIODevice::Append;
    const QByteArray entry = msglog_entry(first, second);
    if (!log.open(how) || log.write(entry) != entry.size()) {
        qWarning().noquote() << "cannot write the trace log" << path << ":" << log.errorString();
        return false;
    }
    return true;
}

void trace(const QString& first, const QString& second)
{
    if (program().log_messages_on)
        write_msglog(first, second);
}

void init_trace_switch()
{
    Program& p = program();
    p.log_messages_on = false;
    if (p.arguments.size() == 1 && p.arguments.first().compare(QLatin1String("log_messages"),
                                                                 Qt::CaseInsensitive) == 0) {
        p.log_messages_on = true;
        const QString separator(25, u'-');
        write_msglog(separator, separator, 1);
    }
}

} // namespace mosaicon
