#include "catalog/catalog.h"

#include "pagekit/imagelists.h"

namespace mosaicon::catalog {

void Catalog::setImages(QStringList images)
{
    sort_image_paths(images);
    m_entries.clear();
    m_entries.reserve(images.size());
    for (const QString& image : images)
        m_entries.append({image, QString(), QString()});
}

void Catalog::setEntries(QList<CatalogEntry> entries)
{
    m_entries = std::move(entries);
}

QStringList Catalog::images() const
{
    QStringList images;
    images.reserve(m_entries.size());
    for (const CatalogEntry& entry : m_entries)
        images.append(entry.image);
    return images;
}

} // namespace mosaicon::catalog
