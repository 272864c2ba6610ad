#include "catalog/catalogpages.h"

#include "pagekit/imagecopies.h"
#include "pagekit/pageblocks.h"
#include "pagekit/pagerun.h"
#include "pagekit/textfile.h"

#include "settings/program.h"

#include "platform/files.h"
#include "platform/mainformview.h"

#include <QFileInfo>

#include <algorithm>

namespace mosaicon::catalog {

namespace {

const QString homeName = QStringLiteral("mkn_catalog.htm");

QString pageName(qint64 number)
{
    return QStringLiteral("mkncat%1.htm").arg(number);
}

// A line followed by an empty one.
void spacedLine(TextFile& page, const QString& text)
{
    page.line(text);
    page.line(QString());
}

// Every page opens the same way, down to the line before its links.
void writeCatalogTop(TextFile& page)
{
    for (const char* line :
         {"<html>", "<head>", "</head>", "<body>", "<center>", "<font face=arial>",
          "<h3><b>Mosaicon Pro Image Catalog</b></h3>", "</font>", "<font size=2 face=arial>"})
        page.line(QString::fromLatin1(line));
}

void writeCatalogBottom(TextFile& page)
{
    for (const char* line : {"<p>", "<hr>", "</center>", "</body>", "</html>"})
        page.line(QString::fromLatin1(line));
}

// The home link and one link a page, each followed by a blank.
QString navigationLine(qint64 pages)
{
    QString line = QStringLiteral("<a href='%1'>Home</a> ").arg(homeName);
    for (qint64 n = 1; n <= pages; ++n)
        line += QStringLiteral("<a href='%1'>%2</a> ").arg(pageName(n)).arg(n);
    return line;
}

// The title, or the image file's name when the entry has none.
void writeTitleLine(TextFile& page, const CatalogEntry& entry)
{
    spacedLine(page, QStringLiteral("      ") +
                         (entry.title.isEmpty() ? html_text(entry.image) : entry.title));
}

// Images and thumbnails are addressed as listed, never as "file:" addresses,
// so the pages can be moved or published with their pictures.
void writeThumbnailCell(TextFile& page, const CatalogEntry& entry)
{
    spacedLine(page, QStringLiteral("      <center>"));
    page.line(QStringLiteral("      <a href='%1'>").arg(typed_address(entry.image)));
    if (entry.thumbnail.isEmpty())
        spacedLine(page, QStringLiteral("      thumbnail<br>not<br>available<p>"));
    else
        spacedLine(page,
                   QStringLiteral("      <img src='%1'><p>").arg(typed_address(entry.thumbnail)));
    writeTitleLine(page, entry);
    spacedLine(page, QStringLiteral("      </a>"));
}

void writeFullSizeCell(TextFile& page, const CatalogEntry& entry)
{
    spacedLine(page, QStringLiteral("      <img src='%1'><p>").arg(typed_address(entry.image)));
    spacedLine(page, QStringLiteral("      <center>"));
    writeTitleLine(page, entry);
}

struct PageGrid
{
    qint64 columns = 0;
    qint64 rows = 0;
    bool useThumbs = true;
};

// The rows of one page, from entry `next` on; rows past the last entry are left out.
void writeRows(TextFile& page, const QList<CatalogEntry>& entries, qsizetype& next,
               const PageGrid& grid)
{
    for (qint64 r = 0; r < grid.rows && next < entries.size(); ++r) {
        spacedLine(page, QStringLiteral("  <tr>"));
        for (qint64 c = 0; c < grid.columns && next < entries.size(); ++c, ++next) {
            page.line(QStringLiteral("    <td>"));
            if (grid.useThumbs)
                writeThumbnailCell(page, entries.at(next));
            else
                writeFullSizeCell(page, entries.at(next));
            spacedLine(page, QStringLiteral("      </center>"));
            page.line(QStringLiteral("    </td>"));
        }
        spacedLine(page, QStringLiteral("  </tr>"));
    }
}

TextFile catalogPage(const QString& navigation, const QList<CatalogEntry>& entries, qsizetype& next,
                     const PageGrid& grid)
{
    TextFile page;
    writeCatalogTop(page);
    page.line(navigation);
    page.line(QStringLiteral("</font>"));
    page.line(QStringLiteral("<table border=1 cellpadding=%1>")
                  .arg(settings().table_cell_padding.text()));
    writeRows(page, entries, next, grid);
    page.line(QStringLiteral("</table>"));
    writeCatalogBottom(page);
    return page;
}

TextFile homePage()
{
    TextFile page;
    writeCatalogTop(page);
    for (const char* line : {"<a href='mkncat1.htm'>", "<br>",
                             "[Click Here For First Page Of Catalog]", "</a>", "</font>", "<br>"})
        page.line(QString::fromLatin1(line));
    writeCatalogBottom(page);
    return page;
}

qint64 positiveWholeNumber(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(),
                                         [](QChar c) { return c.isDigit() && c.unicode() < 128; }))
        return 0;
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok ? value : 0;
}

} // namespace

qint64 catalog_images_per_page(const CatalogLayout& layout)
{
    return positiveWholeNumber(layout.columns) * positiveWholeNumber(layout.rows);
}

bool write_catalog_pages(const QString& targetDir, QList<CatalogEntry> entries,
                         const CatalogLayout& layout)
{
    const std::unique_ptr<PageRun> run = start_catalog_run(targetDir);
    const qint64 perPage = catalog_images_per_page(layout);
    if (perPage <= 0) {
        run->fail(QStringLiteral(
            "The number of images per row and the number of images per column must each be "
            "a whole number greater than zero."));
        return false;
    }
    if (!confirm_place(ConversionKind::Thumbnail, targetDir + QStringLiteral(" directory")))
        return false;
    if (!QFileInfo(targetDir).isDir()) {
        run->fail(QStringLiteral(
                      "The catalog was not written because the target directory %1 does not exist.")
                      .arg(targetDir));
        return false;
    }
    const PageGrid grid{positiveWholeNumber(layout.columns), positiveWholeNumber(layout.rows),
                        layout.useThumbs};
    const qint64 pages = (entries.size() + perPage - 1) / perPage;
    const QString navigation = navigationLine(pages);
    qsizetype next = 0;
    for (qint64 n = 1; n <= pages; ++n) {
        // Each page is told, and the window answers between pages.
        platform::show_status(QStringLiteral("Writing catalog page %1 of %2.").arg(n).arg(pages));
        if (!run->savePage(catalogPage(navigation, entries, next, grid),
                           platform::joinPath(run->folder(), pageName(n))))
            return false;
    }
    const QString home = platform::joinPath(run->folder(), homeName);
    if (!run->savePage(homePage(), home))
        return false;
    platform::show_status(QStringLiteral("The catalog %1 has been created.").arg(home));
    run->openCatalog(home);
    return true;
}

} // namespace mosaicon::catalog
