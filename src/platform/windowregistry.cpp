#include "platform/windowregistry.h"

#include "platform/ui.h"

#include <QCoreApplication>
#include <QHash>

namespace mosaicon::platform {

namespace {

struct Registry
{
    QHash<QString, std::function<bool(QObject*)>> shows;
    QHash<QString, std::function<void()>> openers;
};

Registry& registry()
{
    static Registry windows;
    return windows;
}

bool tellMissing(const QString& name)
{
    msgbox(QStringLiteral("The window %1 cannot be shown: the program has no window of that name.")
               .arg(name),
           MsgBox::OkOnly + MsgBox::Critical, QCoreApplication::applicationName());
    return false;
}

} // namespace

void registerWindow(const QString& name, std::function<bool(QObject*)> show)
{
    registry().shows.insert(name, std::move(show));
}

void registerWindowOpener(const QString& name, std::function<void()> open)
{
    registry().openers.insert(name, std::move(open));
}

void forgetWindows()
{
    registry() = {};
}

QStringList registeredWindows()
{
    return registry().shows.keys();
}

QStringList windowOpeners()
{
    return registry().openers.keys();
}

bool showRegisteredWindow(const QString& name, QObject* value)
{
    const auto show = registry().shows.value(name);
    if (!show || !show(value))
        return tellMissing(name);
    return true;
}

bool openWindow(const QString& name)
{
    const auto open = registry().openers.value(name);
    if (!open)
        return tellMissing(name);
    open();
    return true;
}

} // namespace mosaicon::platform
