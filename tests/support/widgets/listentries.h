#pragma once

#include <QListWidget>
#include <QStringList>

// The entries of a list box, in order.
inline QStringList listEntries(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}
