#pragma once

#include <QList>
#include <QStringList>

namespace mosaicon::viewer {

// A sorted list box of full paths with multiple selection: its entries (in
// the one image-path order), a selected flag per entry and a current entry.
struct PathList
{
    QStringList entries;
    QList<bool> selected;
    // The focused entry, whose text is the list's text; -1 for none.
    int current = -1;

    qsizetype count() const { return entries.size(); }
    // The current entry's text, empty when there is none.
    QString text() const;
    bool hasSelection() const;
    // The current entry exists and is selected.
    bool currentSelected() const;
    QStringList selectedEntries() const;

    // Adds an unselected entry where the order puts it; the current entry
    // stays the same entry. Returns its index.
    int add(const QString& path);
    // Removes an entry; the current entry is then none.
    void removeAt(int index);
    void clear();
    // Replaces the entries, each in its place, nothing selected or current.
    void setEntries(const QStringList& paths);
};

} // namespace mosaicon::viewer
