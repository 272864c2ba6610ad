#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <span>
#include <utility>

class QAction;
class QMenuBar;
class QObject;

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

// A window's menus built from its table, and its items found by array and index.
class MenuTree
{
public:
    MenuTree() = default;
    MenuTree(QMenuBar* bar, std::span<const MenuRow> rows);

    // Every item of the array, separators apart, calls handler with its index.
    void connectItems(const QString& array, const QObject* context,
                      const std::function<void(int index)>& handler) const;

    // nullptr when the array has no such item.
    QAction* item(const QString& array, int index) const;

private:
    QHash<std::pair<QString, int>, QAction*> m_items;
};

} // namespace mosaicon::platform
