#include "platform/profilefile.h"

#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtDebug>

#include <cerrno>
#include <iterator>
#include <list>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Process-wide state in one object, so that at exit the files are flushed while
// the pending set they unregister from still exists.
struct Registry
{
    QHash<QString, ProfileFile*> files;
    QSet<ProfileFile*> pending; // files with changes not yet on disk
    int batchDepth = 0;
    quint64 batchNumber = 0; // of the outermost batch open now or last

    ~Registry()
    {
        const auto all = std::exchange(files, {});
        qDeleteAll(all);
    }
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

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

// Writes a whole file over the open file fd, for a folder where no
// temporary file can be made beside it. The room for the new bytes is taken
// first, so that a full disk leaves the old file whole; every write, the
// new length and the flush to the disk are checked.
bool writeOver(int fd, const QByteArray& bytes, QString* error)
{
    const auto failed = [error](int number) {
        *error = systemReason(number);
        return false;
    };
    if ((::fcntl(fd, F_GETFL) & O_ACCMODE) != O_RDWR)
        return failed(EACCES);
    if (const int taken = ::posix_fallocate(fd, 0, off_t(bytes.size()));
        taken != 0 && taken != EOPNOTSUPP && taken != EINVAL)
        return failed(taken);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return failed(n < 0 ? errno : EIO);
    }
    if (::ftruncate(fd, off_t(bytes.size())) != 0 || ::fdatasync(fd) != 0)
        return failed(errno);
    return true;
}

} // namespace

// What the file on disk looked like when last read or written. A save puts a
// new file in the name's place, so its identity changes with every writer.
struct FileState
{
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};
    timespec changed{};

    static FileState of(const QString& path)
    {
        FileState state;
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return state;
        state.exists = true;
        state.device = st.st_dev;
        state.inode = st.st_ino;
        state.size = st.st_size;
        state.modified = st.st_mtim;
        state.changed = st.st_ctim;
        return state;
    }

    bool operator==(const FileState& o) const
    {
        const auto same = [](const timespec& a, const timespec& b) {
            return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
        };
        return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
               same(modified, o.modified) && same(changed, o.changed);
    }
};

struct ProfileFile::Data
{
    QByteArray bom;
    Lines lines;
    std::list<Section> sections; // the first section of each name, in file order
    QHash<QString, Section*> sectionIndex;

    // Changes not yet on disk, in order; replayed onto the file when it has to
    // be re-read, so that another writer's change and ours both survive.
    struct Operation
    {
        QString section;
        QString key;
        std::optional<QString> value;
    };
    QList<Operation> pending;

    bool loaded = false;
    FileState state;
    quint64 lookedAtInBatch = 0; // the batch number of the last look at the file on disk
    // The last write found the file locked by another program: the next ones
    // only try, so that a lock kept for long does not hold up every put.
    bool lockedOut = false;
    DiskUse use;

    void clear()
    {
        bom.clear();
        sectionIndex.clear();
        sections.clear();
        lines.clear();
    }

    // The file as read, with our changes not yet on disk made again on it.
    void load(const QByteArray& bytes)
    {
        clear();
        parse(bytes);
        for (const Operation& operation : std::as_const(pending))
            apply(operation);
    }

    Section* addSection(const QString& name, LineIt header)
    {
        const QString id = sectionId(name);
        if (sectionIndex.contains(id))
            return nullptr;
        Section& section = sections.emplace_back();
        section.name = name;
        section.exactKeys = ProfileFile::isExactKeySection(name);
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

    bool apply(const Operation& operation)
    {
        return operation.value ? put(operation.section, operation.key, *operation.value)
                               : remove(operation.section, operation.key);
    }
};

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)), d(std::make_unique<Data>()) {}

ProfileFile::~ProfileFile()
{
    if (!d->pending.isEmpty())
        flush();
    registry().pending.remove(this);
}

QString ProfileFile::get(const QString& section, const QString& key, const QString& defaultValue)
{
    reloadIfChanged();
    const auto line = d->findKey(section, key);
    if (!line)
        return defaultValue;
    const Line& l = **line;
    return QString::fromUtf8(l.text.constData() + l.valueStart, l.text.size() - l.valueStart)
        .trimmed();
}

bool ProfileFile::contains(const QString& section, const QString& key)
{
    reloadIfChanged();
    return d->findKey(section, key).has_value();
}

void ProfileFile::put(const QString& section, const QString& key, const QString& value)
{
    apply(section, key, value);
}

void ProfileFile::remove(const QString& section, const QString& key)
{
    apply(section, key, std::nullopt);
}

void ProfileFile::write(const QString& section, const QString& key,
                        const std::optional<QString>& value)
{
    if (value)
        put(section, key, *value);
    else
        remove(section, key);
}

void ProfileFile::apply(const QString& section, const QString& key,
                        const std::optional<QString>& value)
{
    reloadIfChanged();
    Data::Operation operation{section, key, value};
    // Outside a batch the file was just read again, so an operation that
    // changes nothing has nothing to save. Within one it is kept: another
    // program may write another value before the batch ends.
    if (!d->apply(operation) && !ProfileBatch::active())
        return;
    d->pending.append(std::move(operation));
    changed();
}

QStringList ProfileFile::sectionNames()
{
    reloadIfChanged();
    // A name that heads two sections is listed once: lookups only ever reach the first.
    QStringList names;
    names.reserve(d->sections.size());
    for (const Section& section : d->sections)
        names.append(section.name);
    return names;
}

QStringList ProfileFile::keys(const QString& section)
{
    reloadIfChanged();
    const Section* found = d->findSection(section);
    if (!found)
        return {};
    // A key that occurs twice is listed once, as its first line spells it.
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

bool ProfileFile::flush()
{
    return save(lockWait());
}

bool ProfileFile::save(std::chrono::milliseconds wait)
{
    if (d->pending.isEmpty()) {
        registry().pending.remove(this);
        m_error.clear();
        return true;
    }
    registry().pending.insert(this);
    const auto cannotSave = [this](const QString& reason) {
        return fail(QCoreApplication::translate("ProfileFile", "Cannot save %1: %2")
                        .arg(QDir::toNativeSeparators(m_path), reason));
    };
    // A settings file kept as a link (a dotfiles folder) is saved where it leads.
    const std::optional<QString> target = linkedFile(m_path);
    if (!target)
        return cannotSave(systemReason(ELOOP));
    // Another copy of the program may have written the file since it was
    // read here: read it again under the lock, so that only our own keys change.
    FileLock lock;
    if (!lock.lock(*target, wait)) {
        if (!lock.heldByAnother())
            return cannotSave(lock.errorString());
        const bool first = !d->lockedOut;
        d->lockedOut = true;
        fail(QCoreApplication::translate("ProfileFile",
                                         "Not saving %1 now: it is locked by another program. "
                                         "The changes are kept and saved at the next write.")
                 .arg(QDir::toNativeSeparators(m_path)));
        if (first && m_lockedNotice)
            m_lockedNotice();
        return false;
    }
    ++d->use.stats;
    QFile file;
    QByteArray read;
    if (file.open(lock.handle(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        read = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        d->loaded = false;
        // Writing what little we know of a file we could not read would destroy the rest of it.
        return fail(QCoreApplication::translate("ProfileFile",
                                                "Not saving %1: it could not be read (%2), and "
                                                "saving it would lose its contents.")
                        .arg(QDir::toNativeSeparators(m_path), file.errorString()));
    }
    file.close();
    d->load(read);
    d->loaded = true;
    const QByteArray bytes = d->serialize();
    if (lock.createdFile() && bytes.isEmpty()) {
        // Only removals of keys that were not there: a missing file stays missing.
        ::unlink(QFile::encodeName(*target).constData());
    } else if (bytes != read) {
        // Beside the file the link leads to, keeping its mode, as every in-place save.
        ReplacingFile out(*target);
        QString reason;
        if (out.open()) {
            // A failed write is told by commit(), which then leaves the old file.
            out.file().write(bytes);
            if (!out.commit(Flush::ToDisk))
                reason = out.errorString();
        } else if (!out.folderRefusedFile() || !writeOver(lock.handle(), bytes, &reason)) {
            // A folder that takes no new file may still hold a file the user may
            // write (a link into a shared folder): that one is written over, under the lock.
            if (reason.isEmpty())
                reason = out.errorString();
        }
        if (!reason.isEmpty()) {
            if (lock.createdFile())
                ::unlink(QFile::encodeName(*target).constData());
            d->loaded = false;
            return cannotSave(reason);
        }
        ++d->use.writes;
    }
    // Still under the lock: no other writer can have come between.
    ++d->use.stats;
    d->state = FileState::of(m_path);
    d->pending.clear();
    d->lockedOut = false;
    registry().pending.remove(this);
    m_error.clear();
    return true;
}

bool ProfileFile::fail(const QString& message)
{
    // One warning for a run of the same failure, not one for every put that retries it.
    if (message != m_error)
        qWarning().noquote() << message;
    m_error = message;
    return false;
}

bool ProfileFile::isExactKeySection(const QString& section)
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

ProfileFile::DiskUse ProfileFile::diskUse() const
{
    return d->use;
}

void ProfileFile::reloadIfChanged()
{
    // Nobody else is expected to write the file during a batch, so a batch
    // looks at it once rather than at every get and put.
    const Registry& r = registry();
    if (r.batchDepth > 0) {
        if (d->loaded && d->lookedAtInBatch == r.batchNumber)
            return;
        d->lookedAtInBatch = r.batchNumber;
    }
    ++d->use.stats;
    const FileState state = FileState::of(m_path);
    if (d->loaded && state == d->state)
        return;

    d->loaded = true;
    d->state = state;
    QByteArray bytes;
    if (state.exists) {
        QFile file(m_path);
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            bytes.clear();
            fail(QCoreApplication::translate("ProfileFile", "Cannot read %1: %2")
                     .arg(QDir::toNativeSeparators(m_path), file.errorString()));
        }
    }
    d->load(bytes);
}

void ProfileFile::changed()
{
    if (ProfileBatch::active())
        registry().pending.insert(this);
    else
        save(nextWait());
}

namespace {
std::chrono::milliseconds lockWaitTime = std::chrono::seconds(3);
}

std::chrono::milliseconds ProfileFile::lockWait()
{
    return lockWaitTime;
}

std::chrono::milliseconds ProfileFile::nextWait() const
{
    // A lock kept for long must not hold up every put.
    return d->lockedOut ? std::chrono::milliseconds(0) : lockWait();
}

void ProfileFile::setLockWait(std::chrono::milliseconds wait)
{
    lockWaitTime = wait;
}

ProfileFile& profile(const QString& path)
{
    const QString key = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    ProfileFile*& file = registry().files[key];
    if (!file)
        file = new ProfileFile(key);
    return *file;
}

void resetProfiles()
{
    const auto files = std::exchange(registry().files, {});
    qDeleteAll(files);
}

ProfileBatch::ProfileBatch()
{
    if (registry().batchDepth++ == 0)
        ++registry().batchNumber;
}

ProfileBatch::~ProfileBatch()
{
    if (--registry().batchDepth > 0)
        return;
    const QList<ProfileFile*> files = registry().pending.values();
    for (ProfileFile* file : files)
        file->save(file->nextWait());
}

bool ProfileBatch::active()
{
    return registry().batchDepth > 0;
}

} // namespace mosaicon::platform
