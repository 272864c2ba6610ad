#include "viewer/widgets/filelistbox.h"

#include <QMenu>

namespace mosaicon::viewer {

FileListBox::FileListBox(const QString& name, QWidget* parent) : QListWidget(parent)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void FileListBox::setPopupMenu(QMenu* menu)
{
    connect(this, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& at) { menu->popup(viewport()->mapToGlobal(at)); });
}

void FileListBox::showEntries(const QStringList& entries, const QList<bool>& selected, int current)
{
    bool same = count() == entries.size();
    for (int i = 0; same && i < entries.size(); ++i)
        same = item(i)->text() == entries.at(i);
    if (!same) {
        clear();
        addItems(entries);
    }
    for (int i = 0; i < count(); ++i)
        item(i)->setSelected(selected.value(i));
    if (currentRow() != current)
        setCurrentRow(current, QItemSelectionModel::NoUpdate);
}

QList<bool> FileListBox::selectedFlags() const
{
    QList<bool> flags;
    flags.reserve(count());
    for (int i = 0; i < count(); ++i)
        flags.append(item(i)->isSelected());
    return flags;
}

} // namespace mosaicon::viewer
