#include "platform/widgets/menutree.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using mosaicon::platform::CommandRow;
using mosaicon::platform::MenuRow;
using mosaicon::platform::MenuTree;

namespace {

const MenuRow rows[] = {
    {"menuFile", MenuRow::heading, "&File"},
    {"menuFileItem", 5, "&Edit"},
    {"menuFileItem", 90, "", true},
    {"menuFileItem", 99, "E&xit"},
    {"menuOptions", MenuRow::heading, "&Options"},
    {"menuOptionsItem", 5, "&Color Selection"},
    {"menuOptionsItem", 7, "C&lear Banners"},
};

// What the command rows below run: each handler notes its name.
struct Commands
{
    QStringList ran;
    void edit() { ran.append(QStringLiteral("edit")); }
    void exit() { ran.append(QStringLiteral("exit")); }
    void clearBanners() { ran.append(QStringLiteral("clearBanners")); }
};

const CommandRow<Commands> commandRows[] = {
    {{"menuFile", MenuRow::heading, "&File"}},
    {{"menuFileItem", 5, "&Edit"}, &Commands::edit},
    {{"menuFileItem", 90, "", true}},
    {{"menuFileItem", 99, "E&xit"}, &Commands::exit},
    {{"menuOptions", MenuRow::heading, "&Options"}},
    {{"menuOptionsItem", 5, "&Color Selection"}},
    {{"menuOptionsItem", 7, "C&lear Banners"}, &Commands::clearBanners},
};

// The actions of one menu as "objectName caption", a separator as "objectName -".
QStringList itemsOf(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions())
        items.append(action->objectName() + u' ' +
                     (action->isSeparator() ? QStringLiteral("-") : action->text()));
    return items;
}

} // namespace

class TestMenuTree : public QObject
{
    Q_OBJECT

private slots:
    void rowsBecomeNamedMenusAndItemsInTheirOrder()
    {
        QMenuBar bar;
        const MenuTree menus(&bar, rows);
        const QList<QAction*> headings = bar.actions();
        QCOMPARE(headings.size(), 2);
        QCOMPARE(headings.at(0)->menu()->objectName(), QStringLiteral("menuFile"));
        QCOMPARE(headings.at(0)->text(), QStringLiteral("&File"));
        QCOMPARE(itemsOf(headings.at(0)->menu()),
                 QStringList({QStringLiteral("menuFileItem_5 &Edit"),
                              QStringLiteral("menuFileItem_90 -"),
                              QStringLiteral("menuFileItem_99 E&xit")}));
        QCOMPARE(headings.at(1)->menu()->objectName(), QStringLiteral("menuOptions"));
        QCOMPARE(headings.at(1)->text(), QStringLiteral("&Options"));
        QCOMPARE(itemsOf(headings.at(1)->menu()),
                 QStringList({QStringLiteral("menuOptionsItem_5 &Color Selection"),
                              QStringLiteral("menuOptionsItem_7 C&lear Banners")}));
    }

    void itemsAreFoundByArrayAndIndex_data()
    {
        QTest::addColumn<QString>("array");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("objectName");
        QTest::addRow("an item") << "menuFileItem" << 99 << "menuFileItem_99";
        QTest::addRow("a separator") << "menuFileItem" << 90 << "menuFileItem_90";
        QTest::addRow("the same index in another array")
            << "menuOptionsItem" << 5 << "menuOptionsItem_5";
        QTest::addRow("an index the array lacks") << "menuOptionsItem" << 99 << "";
        QTest::addRow("a heading is no item") << "menuFile" << int(MenuRow::heading) << "";
    }
    void itemsAreFoundByArrayAndIndex()
    {
        QFETCH(QString, array);
        QFETCH(int, index);
        QFETCH(QString, objectName);
        QMenuBar bar;
        const MenuTree menus(&bar, rows);
        const QAction* item = menus.item(array, index);
        QCOMPARE(item ? item->objectName() : QString(), objectName);
    }

    // A row without a handler (a separator, or a command not built) runs nothing.
    void eachItemRunsItsRowsHandler()
    {
        QMenuBar bar;
        const std::span<const CommandRow<Commands>> table(commandRows);
        const MenuTree menus(&bar, table);
        Commands commands;
        menus.connectRows(table, this, [&commands](auto run) { (commands.*run)(); });
        for (const CommandRow<Commands>& row : commandRows) {
            if (QAction* item = menus.item(QString::fromUtf8(row.row.name), row.row.index))
                item->trigger();
        }
        QCOMPARE(commands.ran, QStringList({"edit", "exit", "clearBanners"}));
        QCOMPARE(menus.item(QStringLiteral("menuOptionsItem"), 7)->text(),
                 QStringLiteral("C&lear Banners"));
    }
};

QTEST_MAIN(TestMenuTree)
#include "tst_menutree.moc"
