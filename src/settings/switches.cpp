#include "settings/switches.h"

#include "platform/paths.h"
#include "platform/textlines.h"

#include "settings/program.h"

#include <QFile>

#include <algorithm>

namespace mosaicon {

namespace {

QString listFileArgument(const QStringList& args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a.compare(QLatin1String("/f"), Qt::CaseInsensitive) == 0)
            return i + 1 < args.size() ? args.at(i + 1) : QString();
        if (a.startsWith(QLatin1String("/f"), Qt::CaseInsensitive))
            return a.mid(2);
    }
    return {};
}

} // namespace

QString check_switch(const QString& switch_name)
{
    const QStringList& args = program().arguments;
    const QString s = switch_name.toLower();
    if (s == QLatin1String("/f")) {
        const QString name = listFileArgument(args).trimmed();
        return !name.isEmpty() && platform::file_exists(name) ? name : QString();
    }
    if (s == QLatin1String("/s") || s == QLatin1String("/v") || s == QLatin1String("/x")) {
        const bool given = std::any_of(args.begin(), args.end(), [&](const QString& a) {
            return a.compare(s, Qt::CaseInsensitive) == 0;
        });
        return given ? switch_name : QString();
    }
    return switch_name;
}

QStringList read_list_file(const QString& path, qsizetype* stoppedAt)
{
    QStringList entries;
    for (const QString& line : platform::readTextLines(path).value_or(QStringList())) {
        if (!platform::file_exists(line)) {
            if (stoppedAt)
                *stoppedAt = entries.size() + 1;
            return entries;
        }
        entries.append(line);
    }
    if (stoppedAt)
        *stoppedAt = 0;
    return entries;
}

} // namespace mosaicon
