#include "platform/widgets/menutree.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

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

    void eachItemCallsItsArraysHandlerWithItsIndex()
    {
        QMenuBar bar;
        const MenuTree menus(&bar, rows);
        QList<int> file;
        QList<int> options;
        menus.connectItems(QStringLiteral("menuFileItem"), this,
                           [&file](int index) { file.append(index); });
        menus.connectItems(QStringLiteral("menuOptionsItem"), this,
                           [&options](int index) { options.append(index); });
        for (const MenuRow& row : rows) {
            if (QAction* item = menus.item(QString::fromUtf8(row.name), row.index))
                item->trigger();
        }
        QCOMPARE(file, QList<int>({5, 99}));
        QCOMPARE(options, QList<int>({5, 7}));
    }
};

QTEST_MAIN(TestMenuTree)
#include "tst_menutree.moc"
