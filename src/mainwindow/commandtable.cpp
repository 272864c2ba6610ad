#include "mainwindow/commandtable.h"

namespace mosaicon {

const Command* CommandTable::button(const QString& key) const
{
    for (const Command& c : m_rows) {
        if (c.isButton() && c.key == key)
            return &c;
    }
    return nullptr;
}

const Command* CommandTable::menuItem(const QString& menu, int index) const
{
    for (const Command& c : m_rows) {
        if (c.isMenuItem() && c.menu == menu && c.index == index)
            return &c;
    }
    return nullptr;
}

void CommandTable::press(MainForm& form, const QString& key) const
{
    if (const Command* c = button(key); c && c->run)
        c->run(form);
}

void CommandTable::click(MainForm& form, const QString& menu, int index) const
{
    if (const Command* c = menuItem(menu, index); c && c->run)
        c->run(form);
    for (const Command& c : m_rows) {
        if (c.kind == Command::Kind::Menu && c.menu == menu && c.run)
            c.run(form);
    }
}

} // namespace mosaicon
