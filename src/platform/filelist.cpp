#include "platform/filelist.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace mosaicon::platform {

namespace {

// One mask as case-folded code points, so that "?" stands for one character
// even outside the Basic Multilingual Plane.
using Mask = QList<uint>;

// The name is anything indexable whose items are case-folded code points.
template <class Name> bool matchesMask(const Name& name, const Mask& mask)
{
    // Iterative wildcard match with backtracking to the last "*" only, which
    // is linear enough for file names and never recurses.
    qsizetype n = 0, m = 0;
    qsizetype starMask = -1, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == u'?' || mask[m] == uint(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == u'*') {
            starMask = m++;
            starName = n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}

// An ASCII name folded on the fly: the case folding of ASCII is its lower
// case, so the search's many names need no folded copy each.
struct AsciiFolded
{
    const char16_t* chars;
    qsizetype length;
    qsizetype size() const { return length; }
    uint operator[](qsizetype i) const
    {
        const char16_t c = chars[i];
        return c >= u'A' && c <= u'Z' ? uint(c) + ('a' - 'A') : uint(c);
    }
};

bool isAscii(const QString& name)
{
    return std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

// The masks of a pattern; an empty list means every file.
QList<Mask> parsePattern(const QString& pattern)
{
    QList<Mask> masks;
    for (const QString& part : pattern.split(u';')) {
        const QString mask = part.trimmed();
        if (mask.isEmpty())
            continue;
        if (mask == u"*.*" || mask == u"*")
            return {};
        masks.append(mask.toCaseFolded().toUcs4());
    }
    return masks;
}

} // namespace

NamePattern::NamePattern(const QString& pattern) : m_masks(parsePattern(pattern)) {}

bool NamePattern::matches(const QString& name) const
{
    if (m_masks.isEmpty())
        return true;
    if (isAscii(name)) {
        const AsciiFolded folded{reinterpret_cast<const char16_t*>(name.utf16()), name.size()};
        return std::any_of(m_masks.cbegin(), m_masks.cend(),
                           [&](const Mask& mask) { return matchesMask(folded, mask); });
    }
    const QList<uint> folded = name.toCaseFolded().toUcs4();
    return std::any_of(m_masks.cbegin(), m_masks.cend(),
                       [&](const Mask& mask) { return matchesMask(folded, mask); });
}

bool FileList::setPath(const QString& dir)
{
    const QString path =
        dir.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
    QStringList names;
    if (!list(path, &names))
        return false;
    m_path = path;
    m_names = names;
    return true;
}

void FileList::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    refresh();
}

void FileList::refresh()
{
    m_error.clear();
    QStringList names;
    if (!m_path.isEmpty())
        list(m_path, &names);
    m_names = names;
}

bool FileList::list(const QString& path, QStringList* names)
{
    if (!isListableDirectory(path, &m_error))
        return false;
    m_error.clear();
    const NamePattern pattern(m_pattern);
    // QDir::Files without QDir::System leaves out broken symlinks, devices,
    // FIFOs and sockets; without QDir::Hidden it leaves out dot files.
    const QStringList all = QDir(path).entryList(QDir::Files, QDir::Unsorted);
    names->clear();
    names->reserve(all.size());
    for (const QString& name : all) {
        if (pattern.matches(name))
            names->append(name);
    }
    std::sort(names->begin(), names->end(), &FileList::nameLess);
    return true;
}

bool FileList::nameLess(const QString& a, const QString& b)
{
    // Two ASCII names compare as their lower case, as the case folding below
    // would, without its work for every character.
    if (isAscii(a) && isAscii(b)) {
        const auto lower = [](QChar c) {
            const char16_t u = c.unicode();
            return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
        };
        const auto [x, y] = std::mismatch(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                                          [&](QChar p, QChar q) { return lower(p) == lower(q); });
        if (x != a.cend() && y != b.cend())
            return lower(*x) < lower(*y);
        if (a.size() != b.size())
            return a.size() < b.size();
        return a < b;
    }
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

bool FileList::isListableDirectory(const QString& dir, QString* error)
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (dir.isEmpty())
        return fail(tr("No directory was given."));
    const QFileInfo info(dir);
    if (!info.exists())
        return fail(tr("The directory %1 does not exist.").arg(dir));
    if (!info.isDir())
        return fail(tr("%1 is not a directory.").arg(dir));
    // Listing needs read permission, and telling files from directories needs
    // search permission; root passes both checks whatever the mode bits say.
    if (!info.isReadable() || !info.isExecutable())
        return fail(tr("The directory %1 cannot be read (permission denied).").arg(dir));
    // A directory that can be opened yields at least "." and ".."; reading
    // the first entry is enough to know it opens.
    if (!QDirIterator(dir, QDir::AllEntries | QDir::Hidden | QDir::System).hasNext())
        return fail(tr("The directory %1 cannot be read.").arg(dir));
    if (error)
        error->clear();
    return true;
}

} // namespace mosaicon::platform
