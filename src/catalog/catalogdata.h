#pragma once

#include "catalog/catalogpages.h"

#include <QList>
#include <QString>

#include <optional>

namespace mosaicon::catalog {

// The two layouts of the image data file, numbered as the file names them.
enum class CatalogDataFormat
{
    ImageTitle = 1,
    ImageThumbnailTitle = 2
};

// Which entries are saved, by the index of the window's filter option buttons.
enum class CatalogSaveFilter
{
    All = 0,
    WithTitles = 1,
    WithThumbnails = 2
};

// The format's entry as the window's format box lists it ("1.  image,title").
QString catalog_format_text(CatalogDataFormat format);

// The file's bytes: the format and field lines, then one line an entry the
// filter admits, each field quoted (a quote inside doubled); CR LF line ends.
QByteArray catalog_data_bytes(const QList<CatalogEntry>& entries, CatalogDataFormat format,
                              CatalogSaveFilter filter);

// Saves the catalog to path, replacing the file as a whole. An empty path is
// refused with "You must select a file name before saving file information.";
// a text the file cannot hold (a lone surrogate) is refused before anything is
// written; a failed write is told with the file and the reason, and the success
// message is shown only after the file is complete. A file of more entries than
// a load takes back is saved whole, but said so instead of the success. A link
// at path is saved through, to the file it leads to. True when saved.
bool save_catalog_data(const QString& path, const QList<CatalogEntry>& entries,
                       CatalogDataFormat format, CatalogSaveFilter filter);

// What a data file holds, read whole.
struct CatalogData
{
    CatalogDataFormat format = CatalogDataFormat::ImageTitle;
    QList<CatalogEntry>
        entries; // sorted by image with image_path_less; equal images keep file order
};

// Parses the text of a data file (line ends of any kind; a quoted field may
// hold line ends). Nothing, with the reason in error, when it is not a data
// file, a quoted field is never closed or its last entry is cut short.
// The first 9999 entries are kept; `dropped` counts those beyond them.
std::optional<CatalogData> parse_catalog_data(const QString& text, QString* error = nullptr,
                                              qsizetype* dropped = nullptr);

// Reads a data file whole. An empty path (a cancelled dialog) gives nothing
// silently; a file that cannot be read or parsed is told and gives nothing,
// so the caller's catalog stays as it was. On success the caller replaces its
// catalog with the entries.
std::optional<CatalogData> load_catalog_data(const QString& path);

} // namespace mosaicon::catalog
