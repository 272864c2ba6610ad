#pragma once

#include <QList>
#include <QString>

namespace mosaicon::catalog {

// One entry of the catalog: the image file, the file name of its thumbnail
// ("" when none was made) and its title ("" when it has none).
struct CatalogEntry
{
    QString image;
    QString thumbnail;
    QString title;

    friend bool operator==(const CatalogEntry&, const CatalogEntry&) = default;
};

// How the catalog pages are laid out: the texts of the per-row and
// per-column boxes as typed, and thumbnail cells or full-size cells.
struct CatalogLayout
{
    QString columns;
    QString rows;
    bool useThumbs = true;
};

// The images per page the layout asks for, when both box texts are positive
// whole numbers; 0 otherwise.
qint64 catalog_images_per_page(const CatalogLayout& layout);

// Writes the catalog as "mkncat"N".htm" pages and the home page "mkn_catalog.htm"
// into targetDir and opens the home page in the browser. A layout whose images
// per page is not a positive whole number is refused with a message before
// anything else; then the user confirms the directory.
// A missing folder or a failed write is told once, naming the file and the
// reason; nothing is opened then. True when every page was written.
// The window answers between pages; the entries are the catalog as it stood
// when the command started, whatever the window does meanwhile.
bool write_catalog_pages(const QString& targetDir, QList<CatalogEntry> entries,
                         const CatalogLayout& layout);

} // namespace mosaicon::catalog
