#include "testprogram.h"

#include "settings/program.h"
#include "settings/startup.h"

#include "platform/events.h"
#include "platform/profilefile.h"
#include "platform/randomnames.h"
#include "platform/shell.h"
#include "platform/ui.h"
#include "platform/windowregistry.h"

#include <QDir>
#include <QFile>

TestProgram::TestProgram(const QStringList& arguments)
{
    m_oldHome = qgetenv("MOSAICON_HOME");
    qputenv("MOSAICON_HOME", QFile::encodeName(m_dir.path()));
    mosaicon::resetProgram();
    mosaicon::program().arguments = arguments;
    mosaicon::program().program_folder = m_dir.path();
    mosaicon::platform::setUi(&ui);
    mosaicon::platform::setShell(&shell);
    mosaicon::platform::setEndProgramHook([this] { ++endCalls; });
    mosaicon::platform::setDoEventsHook({});
    mosaicon::platform::seed_random_names(12345, true);
}

TestProgram::~TestProgram()
{
    mosaicon::platform::setUi(nullptr);
    mosaicon::platform::setShell(nullptr);
    mosaicon::platform::setEndProgramHook({});
    mosaicon::platform::setDoEventsHook({});
    mosaicon::platform::forgetWindows();
    mosaicon::resetProgram();
    if (m_oldHome.isNull())
        qunsetenv("MOSAICON_HOME");
    else
        qputenv("MOSAICON_HOME", m_oldHome);
}

QString TestProgram::path(const QString& name) const
{
    return QDir(m_dir.path()).filePath(name);
}

QByteArray TestProgram::read(const QString& name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestProgram::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(path(name));
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write(bytes);
}

QString TestProgram::settingsText() const
{
    return QString::fromUtf8(read(QStringLiteral("mosaik.ini"))).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

void setDefaultPageColours()
{
    mosaicon::Settings& s = mosaicon::settings();
    s.background_color = QStringLiteral("#FFFFFF");
    s.text_color = QStringLiteral("#000000");
    s.link_color = QStringLiteral("#0000FF");
    s.vlink_color = QStringLiteral("#FF0000");
    s.alink_color = QStringLiteral("#000000");
}
