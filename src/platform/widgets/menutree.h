#pragma once

#include <QAction>
#include <QHash>
#include <QString>

#include <span>
#include <utility>
#include <vector>

class QMenuBar;

namespace mosaicon::platform {

// One row of a window's menu table. A heading row opens a menu on the bar and
// names it ("menuFile"); the item rows after it fill that menu. An item row
// names its item array ("menuFileItem") and its Index in it; the action is
// named "<array>_<index>".
struct MenuRow
{
    static constexpr int heading = -1;

    const char* name;
    int index;
    const char* caption;
    bool separator = false;
};

// The rows that end a File menu, the same in every window that has them.
inline constexpr MenuRow cancelRow{"menuFileItem", 98, "&Cancel"};
inline constexpr MenuRow saveExitRow{"menuFileItem", 99, "&Save / Exit"};

// A menu row and the handler of `Target` (a window or a dialog's value) that
// its item runs; headings and separators run none.
template <class Target> struct CommandRow
{
    MenuRow row;
    void (Target::*run)() = nullptr;
};

// A window's menus built from its table, and its items found by array and index.
class MenuTree
{
public:
    MenuTree() = default;
    MenuTree(QMenuBar* bar, std::span<const MenuRow> rows);
    template <class Target>
    MenuTree(QMenuBar* bar, std::span<const CommandRow<Target>> rows)
        : MenuTree(bar, menuRows(rows))
    {
    }

    // Every row's item calls `call` with the row's handler.
    template <class Target, class Call>
    void connectRows(std::span<const CommandRow<Target>> rows, const QObject* context,
                     Call call) const
    {
        for (const CommandRow<Target>& r : rows) {
            QAction* action = r.run ? item(QString::fromUtf8(r.row.name), r.row.index) : nullptr;
            if (action)
                QObject::connect(action, &QAction::triggered, context,
                                 [call, run = r.run] { call(run); });
        }
    }

    // nullptr when the array has no such item.
    QAction* item(const QString& array, int index) const;

private:
    template <class Target>
    static std::vector<MenuRow> menuRows(std::span<const CommandRow<Target>> rows)
    {
        std::vector<MenuRow> plain;
        for (const CommandRow<Target>& r : rows)
            plain.push_back(r.row);
        return plain;
    }

    QHash<std::pair<QString, int>, QAction*> m_items;
};

} // namespace mosaicon::platform
