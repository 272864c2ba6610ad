#pragma once

#include "platform/shell.h"

#include <QHash>
#include <QList>

namespace mosaicon::platform {

// A Shell for tests: records what was opened or started and reaches no real
// browser or program.
class ScriptedShell final : public Shell
{
public:
    struct Started
    {
        QString program;
        QStringList arguments;
    };

    bool open(const QString& target, const Failed& failed) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString associatedProgram(const QString& extension) override;

    QStringList opened;
    QList<Started> started;
    QHash<QString, QString> associations; // extension without dot -> program
    bool succeed = true;
    // What a failing open tells.
    QString failure = QStringLiteral("No program opens it.");
};

} // namespace mosaicon::platform
