#pragma once

#include <QList>
#include <QString>
#include <QStyle>

namespace mosaicon {

class MainForm;

// The main window's menus by the object names their click handlers carry.
namespace menus {
inline const QString file = QStringLiteral("menuFileItem");
inline const QString app = QStringLiteral("menuApp");
inline const QString options = QStringLiteral("menuOptionsItem");
inline const QString thumbs = QStringLiteral("menuThumbsItem");
inline const QString output = QStringLiteral("menuOutputItem");
inline const QString help = QStringLiteral("menuHelpItem");
inline const QString helpOnline = QStringLiteral("menuHelpOnlineItem");
inline const QString itemList = QStringLiteral("menuitemlistitems");
} // namespace menus

// One row of the main window's commands and of the layout of its toolbar and
// menus. A toolbar button is found by its key, a menu item by its menu's
// object name and its index in that menu.
struct Command
{
    using Handler = void (*)(MainForm&);

    enum class Kind
    {
        Button,    // a toolbar button; caption is its designed tool-tip
        Menu,      // a menu of the menu bar; its handler runs after every item of it
        Popup,     // a menu the file list's right mouse button opens
        BarItem,   // a menu that is its own single item
        Item,      // a menu item
        Checkable, // a menu item with a check mark
        Submenu,   // a menu item that opens the menu named by opens
        Separator, // a line between items; one without an index is no item of the menu
    };

    static constexpr int noIndex = -1;

    Kind kind = Kind::Item;
    QString key = {};  // a button's key
    QString menu = {}; // the object name of the item's menu, or of the menu itself
    int index = noIndex;
    QString caption = {};
    Handler run = nullptr; // none while the command is not built: the row then does nothing
    QString opens = {};
    QStyle::StandardPixmap icon = QStyle::SP_CustomBase;

    bool isButton() const { return kind == Kind::Button; }
    // Whether the row is one item of its menu, as the menu's click handler numbers them.
    bool isMenuItem() const { return !isButton() && kind != Kind::Menu && kind != Kind::Popup && index != noIndex; }
};

// The rows in toolbar and menu order, and the dispatch of a click to its row.
class CommandTable
{
public:
    explicit CommandTable(QList<Command> rows) : m_rows(std::move(rows)) {}

    const QList<Command>& rows() const { return m_rows; }
    const Command* button(const QString& key) const;
    const Command* menuItem(const QString& menu, int index) const;

    // Runs the button's handler; a key without a built row does nothing.
    void press(MainForm& form, const QString& key) const;
    // Runs the item's handler, then its menu's handler; an index without a
    // built row runs only the latter.
    void click(MainForm& form, const QString& menu, int index) const;

private:
    QList<Command> m_rows;
};

} // namespace mosaicon
