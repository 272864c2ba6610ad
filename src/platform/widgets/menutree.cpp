#include "platform/widgets/menutree.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace mosaicon::platform {

MenuTree::MenuTree(QMenuBar* bar, std::span<const MenuRow> rows)
{
    QMenu* current = nullptr;
    for (const MenuRow& row : rows) {
        const QString name = QString::fromUtf8(row.name);
        if (row.index == MenuRow::heading) {
            current = bar->addMenu(QString::fromUtf8(row.caption));
            current->setObjectName(name);
            continue;
        }
        Q_ASSERT_X(current, "MenuTree", "an item row before the first heading");
        QAction* action = row.separator ? current->addSeparator()
                                        : current->addAction(QString::fromUtf8(row.caption));
        action->setObjectName(QStringLiteral("%1_%2").arg(name).arg(row.index));
        m_items.insert({name, row.index}, action);
    }
}

QAction* MenuTree::item(const QString& array, int index) const
{
    return m_items.value({array, index});
}

} // namespace mosaicon::platform
