#include "platform/inidocument.h"

#include <QHash>
#include <QList>

#include <iterator>
#include <list>
#include <utility>

namespace mosaicon::platform {

using namespace Qt::StringLiterals;

namespace {

enum class LineEnd : quint8
{
    None,
    CrLf,
    Lf,
    Cr
};
enum class LineKind : quint8
{
    Blank,
    Other,
    Header,
    Key
};

// One line of the file as read, so that a line nobody touches is written back
// byte for byte with its own line end.
struct Line
{
    QByteArray text; // without its line end
    LineEnd end = LineEnd::CrLf;
    LineKind kind = LineKind::Other;
    qsizetype valueStart = 0; // of a key line: where the value begins in text
    QString name;             // the key of a key line, the name of a header line
};

// A linked list, so that inserting a key into a section and removing one cost
// the same however long the file is, and iterators held by the indexes stay valid.
using Lines = std::list<Line>;
using LineIt = Lines::iterator;

struct Section
{
    QString name;
    bool exactKeys = false;
    LineIt header;
    LineIt last;                                   // the last non-blank line: new keys go after it
    QHash<QString, LineIt> keys;                   // the first line of each key
    QHash<QString, QList<LineIt>> laterDuplicates; // rare: the same key again, in file order
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

QString sectionId(const QString& name)
{
    return name.trimmed().toLower();
}

QString keyId(const QString& key, bool exact)
{
    return exact ? key : key.trimmed().toLower();
}

// A value or section name must stay on its line: each line break becomes a blank.
QString oneLine(QString text)
{
    text.replace(u"\r\n"_s, u" "_s);
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// A key that the plain form would not give back exactly (one holding "=" or a
// line break, with blanks at its ends, or starting like a section header, a
// comment or a quoted key) is written in double quotes, with \" \\ \r \n escaped.
bool needsQuotes(const QString& key)
{
    if (key.isEmpty())
        return false;
    const QChar first = key.front();
    if (first.isSpace() || key.back().isSpace() || first == u'"' || first == u'[' || first == u';')
        return true;
    return key.contains(u'=') || key.contains(u'\r') || key.contains(u'\n');
}

QString quoted(const QString& key)
{
    QString result;
    result.reserve(key.size() + 2);
    result += u'"';
    for (const QChar c : key) {
        if (c == u'\\' || c == u'"') {
            result += u'\\';
            result += c;
        } else if (c == u'\r') {
            result += u"\\r"_s;
        } else if (c == u'\n') {
            result += u"\\n"_s;
        } else {
            result += c;
        }
    }
    result += u'"';
    return result;
}

Line keyLine(const QString& key, const QString& value)
{
    Line line;
    line.text = (needsQuotes(key) ? quoted(key) : key).toUtf8();
    line.text += '=';
    line.valueStart = line.text.size();
    line.text += oneLine(value).toUtf8();
    line.kind = LineKind::Key;
    line.name = key;
    return line;
}

// The reading side of quoted(): true with the key and the start of the value
// when the line from `from` on is a well-formed quoted key followed by "=".
bool parseQuotedKey(const QByteArray& text, qsizetype from, QString& key, qsizetype& valueStart)
{
    const char* s = text.constData();
    const qsizetype n = text.size();
    QByteArray raw;
    qsizetype i = from + 1;
    while (i < n && s[i] != '"') {
        if (s[i] == '\\' && i + 1 < n) {
            const char c = s[i + 1];
            raw += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
            i += 2;
        } else {
            raw += s[i++];
        }
    }
    if (i == n)
        return false;
    ++i;
    while (i < n && isBlank(s[i]))
        ++i;
    if (i == n || s[i] != '=')
        return false;
    key = QString::fromUtf8(raw);
    valueStart = i + 1;
    return true;
}

// Byte-level parsing is safe on UTF-8: no byte of a multi-byte character is ASCII.
void classify(Line& line)
{
    const QByteArray& text = line.text;
    const char* s = text.constData();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && isBlank(s[i]))
        ++i;
    if (i == n) {
        line.kind = LineKind::Blank;
        return;
    }
    if (s[i] == '[') {
        qsizetype end = n;
        while (isBlank(s[end - 1]))
            --end;
        // "[a]b]" names "a]b"; when the line does not end in "]" the name ends at the first one.
        qsizetype close = end - 1;
        if (close == i || s[close] != ']') {
            close = text.indexOf(']', i + 1);
            if (close < 0)
                close = end;
        }
        line.kind = LineKind::Header;
        line.name = QString::fromUtf8(s + i + 1, close - i - 1).trimmed();
        return;
    }
    if (s[i] == ';') {
        line.kind = LineKind::Other;
        return;
    }
    if (s[i] == '"' && parseQuotedKey(text, i, line.name, line.valueStart)) {
        line.kind = LineKind::Key;
        return;
    }
    const qsizetype equals = text.indexOf('=', i);
    if (equals < 0) {
        line.kind = LineKind::Other;
        return;
    }
    line.kind = LineKind::Key;
    line.name = QString::fromUtf8(s + i, equals - i).trimmed();
    line.valueStart = equals + 1;
}

} // namespace

struct IniDocument::Data
{
    QByteArray bom;
    Lines lines;
    std::list<Section> sections; // the first section of each name, in file order
    QHash<QString, Section*> sectionIndex;

    Section* addSection(const QString& name, LineIt header)
    {
        const QString id = sectionId(name);
        if (sectionIndex.contains(id))
            return nullptr;
        Section& section = sections.emplace_back();
        section.name = name;
        section.exactKeys = IniDocument::isExactKeySection(name);
        section.header = header;
        section.last = header;
        sectionIndex.insert(id, &section);
        return &section;
    }

    Section* findSection(const QString& name) const { return sectionIndex.value(sectionId(name)); }

    std::optional<LineIt> findKey(const QString& section, const QString& key) const
    {
        const Section* found = findSection(section);
        if (!found)
            return std::nullopt;
        const auto it = found->keys.constFind(keyId(key, found->exactKeys));
        if (it == found->keys.cend())
            return std::nullopt;
        return it.value();
    }

    void parse(const QByteArray& bytes)
    {
        const char* s = bytes.constData();
        const qsizetype n = bytes.size();
        qsizetype pos = 0;
        if (bytes.startsWith("\xEF\xBB\xBF")) {
            bom = bytes.left(3);
            pos = 3;
        }
        // Null before the first section and in a later section of a name already seen.
        Section* current = nullptr;
        while (pos < n) {
            qsizetype end = pos;
            while (end < n && s[end] != '\r' && s[end] != '\n')
                ++end;
            Line line;
            line.text = QByteArray(s + pos, end - pos);
            if (end == n) {
                line.end = LineEnd::None;
                pos = n;
            } else if (s[end] == '\r' && end + 1 < n && s[end + 1] == '\n') {
                line.end = LineEnd::CrLf;
                pos = end + 2;
            } else {
                line.end = s[end] == '\r' ? LineEnd::Cr : LineEnd::Lf;
                pos = end + 1;
            }
            classify(line);
            const LineIt it = lines.insert(lines.end(), std::move(line));
            if (it->kind == LineKind::Header) {
                current = addSection(it->name, it);
            } else if (current && it->kind == LineKind::Key) {
                const QString id = keyId(it->name, current->exactKeys);
                if (current->keys.contains(id))
                    current->laterDuplicates[id].append(it);
                else
                    current->keys.insert(id, it);
                current->last = it;
            } else if (current && it->kind == LineKind::Other) {
                current->last = it;
            }
        }
    }

    QByteArray serialize() const
    {
        qsizetype total = bom.size();
        for (const Line& line : lines)
            total += line.text.size() + 2;
        QByteArray out;
        out.reserve(total);
        out += bom;
        for (const Line& line : lines) {
            out += line.text;
            switch (line.end) {
            case LineEnd::None:
                break;
            case LineEnd::CrLf:
                out += "\r\n";
                break;
            case LineEnd::Lf:
                out += '\n';
                break;
            case LineEnd::Cr:
                out += '\r';
                break;
            }
        }
        return out;
    }

    // Only the last line of the file can lack a line end; a line added after it needs one.
    static void terminate(Line& line)
    {
        if (line.end == LineEnd::None)
            line.end = LineEnd::CrLf;
    }

    void appendKey(Section& section, Line line)
    {
        terminate(*section.last);
        const QString id = keyId(line.name, section.exactKeys);
        section.last = lines.insert(std::next(section.last), std::move(line));
        section.keys.insert(id, section.last);
    }

    bool put(const QString& sectionName, const QString& key, const QString& value)
    {
        Line line = keyLine(key, value);
        Section* section = findSection(sectionName);
        if (!section) {
            if (!lines.empty())
                terminate(lines.back());
            Line header;
            header.text = '[' + oneLine(sectionName).toUtf8() + ']';
            header.kind = LineKind::Header;
            header.name = sectionName;
            const LineIt it = lines.insert(lines.end(), std::move(header));
            appendKey(*addSection(sectionName, it), std::move(line));
            return true;
        }
        const auto found = section->keys.find(keyId(key, section->exactKeys));
        if (found == section->keys.end()) {
            appendKey(*section, std::move(line));
            return true;
        }
        Line& existing = *found.value();
        if (existing.text == line.text)
            return false;
        line.end = LineEnd::CrLf;
        existing = std::move(line);
        return true;
    }

    bool remove(const QString& sectionName, const QString& key)
    {
        Section* section = findSection(sectionName);
        if (!section)
            return false;
        const QString id = keyId(key, section->exactKeys);
        const auto found = section->keys.find(id);
        if (found == section->keys.end())
            return false;
        const LineIt it = found.value();
        const auto duplicates = section->laterDuplicates.find(id);
        if (duplicates != section->laterDuplicates.end()) {
            found.value() = duplicates->takeFirst();
            if (duplicates->isEmpty())
                section->laterDuplicates.erase(duplicates);
        } else {
            section->keys.erase(found);
        }
        if (it == section->last) {
            // The header is not blank, so this stops inside the section.
            LineIt previous = it;
            do {
                --previous;
            } while (previous->kind == LineKind::Blank);
            section->last = previous;
        }
        lines.erase(it);
        return true;
    }

};

IniDocument::IniDocument() : d(std::make_unique<Data>()) {}

IniDocument::~IniDocument() = default;

void IniDocument::parse(const QByteArray& bytes)
{
    d->bom.clear();
    d->sectionIndex.clear();
    d->sections.clear();
    d->lines.clear();
    d->parse(bytes);
}

QByteArray IniDocument::serialize() const
{
    return d->serialize();
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const auto line = d->findKey(section, key);
    if (!line)
        return std::nullopt;
    const Line& l = **line;
    return QString::fromUtf8(l.text.constData() + l.valueStart, l.text.size() - l.valueStart)
        .trimmed();
}

bool IniDocument::put(const QString& section, const QString& key, const QString& value)
{
    return d->put(section, key, value);
}

bool IniDocument::remove(const QString& section, const QString& key)
{
    return d->remove(section, key);
}

QStringList IniDocument::sectionNames() const
{
    QStringList names;
    names.reserve(d->sections.size());
    for (const Section& section : d->sections)
        names.append(section.name);
    return names;
}

QStringList IniDocument::keys(const QString& section) const
{
    const Section* found = d->findSection(section);
    if (!found)
        return {};
    QStringList names;
    for (auto it = std::next(found->header); it != d->lines.end() && it->kind != LineKind::Header;
         ++it) {
        if (it->kind != LineKind::Key)
            continue;
        const auto first = found->keys.constFind(keyId(it->name, found->exactKeys));
        if (first != found->keys.cend() && first.value() == it)
            names.append(it->name);
    }
    return names;
}

bool IniDocument::isExactKeySection(const QString& section)
{
    static constexpr QLatin1StringView names[] = {"Thumbnails (ir)"_L1, "Thumbnails (vi)"_L1,
                                                  "Associated Text"_L1, "Associated Text Title"_L1};
    const QString name = section.trimmed();
    for (const QLatin1StringView exact : names) {
        if (name.compare(exact, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace mosaicon::platform
