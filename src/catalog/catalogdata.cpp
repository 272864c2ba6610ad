#include "catalog/catalogdata.h"

#include "pagekit/imagelists.h"
#include "pagekit/textfile.h"

#include "settings/warning.h"

#include "platform/files.h"

#include <QFile>

#include <algorithm>

namespace mosaicon::catalog {

namespace {

// More entries than the catalog ever held; the rest of a larger file is left out and told.
constexpr qsizetype maxEntries = 9999;

QString quoted(QString field)
{
    return u'"' + field.replace(u'"', QLatin1String("\"\"")) + u'"';
}

bool admitted(const CatalogEntry& entry, CatalogSaveFilter filter)
{
    switch (filter) {
    case CatalogSaveFilter::WithTitles:
        return !entry.title.trimmed().isEmpty();
    case CatalogSaveFilter::WithThumbnails:
        return !entry.thumbnail.trimmed().isEmpty();
    case CatalogSaveFilter::All:
        break;
    }
    return true;
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// The fields of the entries, read as delimited values: a comma or a line end
// ends a field, so entries need not keep to their lines. A quoted field runs
// to its closing quote, across line ends, with its doubled quotes read as
// one; what stands between the closing quote and the delimiter is dropped, as
// the older writer's stray quotes left it.
class FieldReader
{
public:
    FieldReader(const QString& text, qsizetype pos) : m_text(text), m_pos(pos) {}

    // The next field; nothing at the end of the text, or when a quoted field
    // is never closed (unclosed() then tells).
    std::optional<QString> next()
    {
        skipBlanksAndEmptyLines();
        if (atEnd()) {
            // A comma at the very end promised one more, empty field.
            if (!m_pending)
                return std::nullopt;
            m_pending = false;
            return QString();
        }
        const bool quoted = here() == u'"';
        QString field = quoted ? quotedField() : plainField();
        if (quoted && !m_closed)
            return std::nullopt;
        m_pending = !atEnd() && here() == u',';
        if (!atEnd())
            skipDelimiter();
        return field;
    }

    bool unclosed() const { return !m_closed; }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar here() const { return m_text.at(m_pos); }

    // Blanks before a field are skipped; a line with no field gives none.
    void skipBlanksAndEmptyLines()
    {
        while (!atEnd()) {
            if (here() == u' ' || here() == u'\t')
                ++m_pos;
            else if (isLineEnd(here()) && !m_pending)
                skipDelimiter();
            else
                return;
        }
    }

    void skipDelimiter()
    {
        const bool crlf =
            here() == u'\r' && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == u'\n';
        m_pos += crlf ? 2 : 1;
    }

    QString quotedField()
    {
        QString field;
        ++m_pos;
        m_closed = false;
        while (!atEnd()) {
            const QChar c = here();
            ++m_pos;
            if (c != u'"') {
                field += c;
            } else if (!atEnd() && here() == u'"') {
                field += c;
                ++m_pos;
            } else {
                m_closed = true;
                break;
            }
        }
        // Anything between the closing quote and the delimiter is not part of the field.
        while (!atEnd() && here() != u',' && !isLineEnd(here()))
            ++m_pos;
        return field;
    }

    QString plainField()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && here() != u',' && !isLineEnd(here()))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    const QString& m_text;
    qsizetype m_pos;
    bool m_pending = false; // a comma promised another field
    bool m_closed = true;   // the last quoted field found its closing quote
};

// The end of the line that starts at pos, and where the next one starts.
qsizetype lineEnd(const QString& text, qsizetype pos, qsizetype* nextLine)
{
    qsizetype end = pos;
    while (end < text.size() && !isLineEnd(text.at(end)))
        ++end;
    *nextLine = end;
    if (end < text.size())
        *nextLine +=
            (text.at(end) == u'\r' && end + 1 < text.size() && text.at(end + 1) == u'\n') ? 2 : 1;
    return end;
}

// The first field of the saved entries the file cannot hold; empty when none.
std::optional<QString> unwritableField(const QList<CatalogEntry>& entries, CatalogDataFormat format,
                                       CatalogSaveFilter filter)
{
    const bool withThumbnail = format == CatalogDataFormat::ImageThumbnailTitle;
    for (const CatalogEntry& entry : entries) {
        if (!admitted(entry, filter))
            continue;
        for (const QString* field : {&entry.image, &entry.thumbnail, &entry.title}) {
            // UTF-8 cannot carry a lone surrogate: it would load back other than saved.
            if ((withThumbnail || field != &entry.thumbnail) && !field->isValidUtf16())
                return *field;
        }
    }
    return std::nullopt;
}

void fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
}

} // namespace

QString catalog_format_text(CatalogDataFormat format)
{
    return format == CatalogDataFormat::ImageTitle ? QStringLiteral("1.  image,title")
                                                   : QStringLiteral("2.  image,thumbnail,title");
}

QByteArray catalog_data_bytes(const QList<CatalogEntry>& entries, CatalogDataFormat format,
                              CatalogSaveFilter filter)
{
    const bool withThumbnail = format == CatalogDataFormat::ImageThumbnailTitle;
    TextFile file;
    file.line(QStringLiteral("FORMAT:") + catalog_format_text(format));
    file.line(withThumbnail ? QStringLiteral("FIELDS:image file, thumbnail, title")
                            : QStringLiteral("FIELDS:image file, title"));
    for (const CatalogEntry& entry : entries) {
        if (!admitted(entry, filter))
            continue;
        QString line = quoted(entry.image) + u',';
        if (withThumbnail)
            line += quoted(entry.thumbnail) + u',';
        file.line(line + quoted(entry.title));
    }
    return file.bytes();
}

bool save_catalog_data(const QString& path, const QList<CatalogEntry>& entries,
                       CatalogDataFormat format, CatalogSaveFilter filter)
{
    if (path.isEmpty()) {
        inform(QStringLiteral("You must select a file name before saving file information."));
        return false;
    }
    if (const std::optional<QString> field = unwritableField(entries, format, filter)) {
        warn(QStringLiteral(
                 "The image data could not be saved in %1: the text \"%2\" holds a character a "
                 "text file cannot hold.")
                 .arg(path, *field));
        return false;
    }
    QString error;
    if (!platform::saveFileInPlace(path, catalog_data_bytes(entries, format, filter), &error)) {
        warn(QStringLiteral("The image data could not be saved in %1: %2").arg(path, error));
        return false;
    }
    const auto saved =
        std::count_if(entries.begin(), entries.end(),
                      [filter](const CatalogEntry& entry) { return admitted(entry, filter); });
    if (saved > maxEntries) {
        warn(QStringLiteral("The image data has been saved in %1, but only the first %2 of its %3 "
                            "entries can be loaded back from it.")
                 .arg(path, QString::number(maxEntries), QString::number(saved)));
        return true;
    }
    inform(QStringLiteral("The image data has been save in ") + path);
    return true;
}

std::optional<CatalogData> parse_catalog_data(const QString& text, QString* error,
                                              qsizetype* dropped)
{
    qsizetype second = 0;
    const QString first = text.left(lineEnd(text, 0, &second));
    const qsizetype colon = first.indexOf(u':');
    const QChar layout = colon >= 0 && colon + 1 < first.size() ? first.at(colon + 1) : QChar();
    if (layout != u'1' && layout != u'2') {
        fail(error, QStringLiteral("its first line names no format 1 or 2"));
        return std::nullopt;
    }
    if (second >= text.size()) {
        fail(error, QStringLiteral("it has no line naming the fields"));
        return std::nullopt;
    }
    qsizetype entriesStart = 0;
    lineEnd(text, second, &entriesStart);

    CatalogData data;
    data.format =
        layout == u'1' ? CatalogDataFormat::ImageTitle : CatalogDataFormat::ImageThumbnailTitle;
    const qsizetype perEntry = data.format == CatalogDataFormat::ImageTitle ? 2 : 3;
    FieldReader reader(text, entriesStart);
    QStringList fields;
    qsizetype extra = 0;
    while (const std::optional<QString> field = reader.next()) {
        fields.append(*field);
        if (fields.size() < perEntry)
            continue;
        if (data.entries.size() < maxEntries)
            data.entries.append(perEntry == 2
                                    ? CatalogEntry{fields.at(0), QString(), fields.at(1)}
                                    : CatalogEntry{fields.at(0), fields.at(1), fields.at(2)});
        else
            ++extra;
        fields.clear();
    }
    if (reader.unclosed()) {
        fail(error, QStringLiteral("a quoted field has no closing quote"));
        return std::nullopt;
    }
    if (!fields.isEmpty()) {
        fail(error, QStringLiteral("its last entry has fewer fields than its format"));
        return std::nullopt;
    }
    std::stable_sort(data.entries.begin(), data.entries.end(),
                     [](const CatalogEntry& a, const CatalogEntry& b) {
                         return image_path_less(a.image, b.image);
                     });
    if (dropped)
        *dropped = extra;
    return data;
}

std::optional<CatalogData> load_catalog_data(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError) {
        warn(QStringLiteral("The image data file %1 could not be read: %2")
                 .arg(path, file.errorString()));
        return std::nullopt;
    }
    QString error;
    qsizetype dropped = 0;
    std::optional<CatalogData> data =
        parse_catalog_data(QString::fromUtf8(bytes), &error, &dropped);
    if (!data) {
        warn(QStringLiteral("The image data file %1 was not loaded: %2.").arg(path, error));
        return std::nullopt;
    }
    if (dropped > 0)
        inform(QStringLiteral("Only the first %1 entries of %2 were loaded; %3 more were left out.")
                 .arg(QString::number(maxEntries), path, QString::number(dropped)));
    return data;
}

} // namespace mosaicon::catalog
