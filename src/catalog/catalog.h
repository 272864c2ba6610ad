#pragma once

#include "catalog/catalogpages.h"

#include <QList>
#include <QStringList>

namespace mosaicon::catalog {

// The images of a catalog in their order, each with its thumbnail and title.
// One list of entries, so an entry's thumbnail and title cannot drift to
// another image.
class Catalog
{
public:
    // Starts over with these images, without thumbnails or titles, sorted with
    // image_path_less as the data files and the windows' lists are.
    void setImages(QStringList images);
    // Starts over with the entries of a data file, in their order.
    void setEntries(QList<CatalogEntry> entries);

    const QList<CatalogEntry>& entries() const { return m_entries; }
    QStringList images() const;
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    bool holds(qsizetype index) const { return index >= 0 && index < m_entries.size(); }
    const CatalogEntry& at(qsizetype index) const { return m_entries.at(index); }
    CatalogEntry& entry(qsizetype index) { return m_entries[index]; }

private:
    QList<CatalogEntry> m_entries;
};

} // namespace mosaicon::catalog
