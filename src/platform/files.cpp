#include "platform/files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mosaicon::platform {

bool isReadableFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

bool isSameFile(const QString& a, const QString& b)
{
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

QString decodeFileName(QByteArrayView bytes)
{
    // Most names are ASCII, which reads the same in every encoding here.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8(bytes);
    if (!utf8.hasError())
        return name;
    name.clear();
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar lead = uchar(bytes.at(i));
        const qsizetype length = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
        if (i + length <= bytes.size()) {
            QStringDecoder one(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString character = one(bytes.sliced(i, length));
            if (!one.hasError()) {
                name += character;
                i += length;
                continue;
            }
        }
        name += QChar(char16_t(0xdc00 + lead));
        ++i;
    }
    return name;
}

namespace {

// Another entry of the folder that the system's listing reads as name.
bool hasTwinInFolder(const QString& folder, const QString& name)
{
    const QByteArray own = QFile::encodeName(name);
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return true;
    bool twin = false;
    while (const dirent* entry = ::readdir(dir)) {
        if (own != entry->d_name && QFile::decodeName(entry->d_name) == name) {
            twin = true;
            break;
        }
    }
    ::closedir(dir);
    return twin;
}

} // namespace

bool haveSameBytes(const QString& a, const QString& b)
{
    QFile fa(a);
    QFile fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 chunk = 1 << 16;
    while (!fa.atEnd()) {
        const QByteArray pa = fa.read(chunk);
        if (pa.isEmpty() || pa != fb.read(chunk))
            return false;
    }
    return fb.atEnd();
}

bool hasUndecodableName(const QString& path)
{
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (path.at(i).isLowSurrogate() && (i == 0 || !path.at(i - 1).isHighSurrogate()))
            return true;
    }
    if (!path.contains(QChar::ReplacementCharacter))
        return false;
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return true;
    const QStringList parts = path.split(u'/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (!parts.at(i).contains(QChar::ReplacementCharacter))
            continue;
        QString folder = parts.mid(0, i).join(u'/');
        if (folder.isEmpty())
            folder = i == 0 ? QStringLiteral(".") : QStringLiteral("/");
        if (hasTwinInFolder(folder, parts.at(i)))
            return true;
    }
    return false;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

namespace {

// The n-th temporary name for a target name: recognisable, of one length
// whatever the target's, and the same in every run.
QByteArray temporaryName(const QByteArray& name, int n)
{
    const QByteArray digest =
        QCryptographicHash::hash(name, QCryptographicHash::Sha256).toHex().left(16);
    return ".mosaicon-" + digest + (n > 0 ? '-' + QByteArray::number(n) : QByteArray()) + ".part";
}

// How many writes of one target may go on at once, each under its own name.
constexpr int temporaryNames = 100;

// Opened for writing where it can be: NFS refuses an exclusive lock on a file
// opened only for reading.
int openForLock(const QByteArray& path, int flags)
{
    const int fd = ::open(path.constData(), O_RDWR | flags | O_CLOEXEC);
    if (fd >= 0 || errno != EACCES)
        return fd;
    return ::open(path.constData(), O_RDONLY | flags | O_CLOEXEC);
}

// A writer holds a lock on its temporary file while it lives, and the system
// drops it when the writer dies: an unlocked one was left by a killed write.
// True when the name is free now.
bool removeLeftOver(const QByteArray& temp)
{
    const int fd = openForLock(temp, O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT;
    const bool left = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool removed = left && ::unlink(temp.constData()) == 0;
    ::close(fd);
    return removed;
}

// Puts a finished file under its name; 0 or the system's error number.
int placeFile(const QByteArray& from, const QByteArray& to, Replace replace)
{
    if (replace == Replace::Yes)
        return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    // A file system without that rename: a new link fails on a taken name too.
    if (::link(from.constData(), to.constData()) == 0) {
        if (::unlink(from.constData()) == 0)
            return 0;
        const int error = errno;
        ::unlink(to.constData());
        return error;
    }
    if (errno != EPERM && errno != EOPNOTSUPP)
        return errno;
    // Nor links (FAT): the name is checked just before the rename.
    struct stat st {};
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

} // namespace

ReplacingFile::ReplacingFile(const QString& target, Replace replace)
    : m_target(target), m_replace(replace)
{
}

bool ReplacingFile::keepAttributesOf(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        m_error = systemReason(errno);
        return false;
    }
    // Never the set-user and set-group bits: the copy has another owner.
    m_mode = st.st_mode & 01777;
    m_times[0] = st.st_atim;
    m_times[1] = st.st_mtim;
    m_keepMode = true;
    m_keepTimes = true;
    return true;
}

ReplacingFile::~ReplacingFile()
{
    cancel();
}

bool ReplacingFile::open()
{
    const QByteArray target = QFile::encodeName(m_target);
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray() : target.left(slash + 1);
    const QByteArray name = target.mid(slash + 1);
    struct stat existing {};
    // A link's own bits say nothing of the file that takes its place.
    if (!m_keepMode && ::lstat(target.constData(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        m_mode = existing.st_mode & 07777;
        m_keepMode = true;
    }
    m_folderRefused = false;
    const auto create = [](const QByteArray& temp) {
        return ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    };
    for (int n = 0; n < temporaryNames; ++n) {
        const QByteArray temp = folder + temporaryName(name, n);
        int fd = create(temp);
        if (fd < 0 && errno == EEXIST) {
            // Taken by a write still going on: the next name.
            if (!removeLeftOver(temp))
                continue;
            fd = create(temp);
            if (fd < 0 && errno == EEXIST)
                continue;
        }
        if (fd < 0) {
            m_folderRefused =
                errno == EACCES || errno == EPERM || errno == ENOSPC || errno == EDQUOT;
            m_error = systemReason(errno);
            return false;
        }
        // Another write may have taken it for a left-over in the instant
        // before the lock, and removed it.
        struct stat opened {};
        struct stat named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &opened) != 0 ||
            ::lstat(temp.constData(), &named) != 0 || opened.st_ino != named.st_ino ||
            opened.st_dev != named.st_dev) {
            ::close(fd);
            continue;
        }
        m_temp = temp;
        m_fd = fd;
        // The lock lasts until the file is placed or removed, past the close
        // that commit() checks.
        m_lockFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        if (m_lockFd < 0 || (m_keepMode && ::fchmod(fd, m_mode) != 0)) {
            m_error = systemReason(errno);
            cancel();
            return false;
        }
        m_file.writeError.clear();
        // The descriptor is closed by commit(), where the error of its close can be seen.
        if (!m_file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                         QFileDevice::DontCloseHandle)) {
            m_error = m_file.errorString();
            cancel();
            return false;
        }
        // A killed write may have held any of the names above this one, not
        // only the first free one: left there, a hidden file would stay for
        // good (and be published with a web folder). Names are taken lowest
        // first, so the left-overs end at the first name that is not there.
        for (int other = n + 1; other < temporaryNames; ++other) {
            const QByteArray temp = folder + temporaryName(name, other);
            struct stat info;
            if (::lstat(temp.constData(), &info) != 0 && errno == ENOENT)
                break;
            removeLeftOver(temp);
        }
        return true;
    }
    m_error = QStringLiteral("No free temporary name beside the file.");
    return false;
}

qint64 ReplacingFile::CheckedFile::writeData(const char* data, qint64 size)
{
    if (!writeError.isEmpty())
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(handle(), data + done, size_t(size - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // A file that stopped growing short of what was written is as good as lost.
            writeError = systemReason(n < 0 ? errno : EIO);
            setErrorString(writeError);
            return -1;
        }
    }
    return done;
}

bool ReplacingFile::commit(Flush flush)
{
    if (m_temp.isEmpty()) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("The file was not opened.");
        return false;
    }
    QString error = m_file.writeError;
    if (error.isEmpty() && m_file.error() != QFileDevice::NoError)
        error = m_file.errorString();
    m_file.close();
    // After the last write, which would set the time again.
    if (error.isEmpty() && m_keepTimes && ::futimens(m_fd, m_times) != 0)
        error = systemReason(errno);
    if (error.isEmpty() && flush == Flush::ToDisk && ::fdatasync(m_fd) != 0)
        error = systemReason(errno);
    // Some file systems tell of a failed write only when the file is closed.
    if (::close(m_fd) != 0 && error.isEmpty())
        error = systemReason(errno);
    m_fd = -1;
    if (error.isEmpty()) {
        if (const int failed = placeFile(m_temp, QFile::encodeName(m_target), m_replace))
            error = systemReason(failed);
    }
    if (!error.isEmpty()) {
        m_error = error;
        cancel();
        return false;
    }
    m_temp.clear();
    ::close(m_lockFd);
    m_lockFd = -1;
    return true;
}

void ReplacingFile::cancel()
{
    m_file.close();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.isEmpty())
        ::unlink(m_temp.constData());
    m_temp.clear();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    m_lockFd = -1;
}

QString ReplacingFile::errorString() const
{
    return m_error.isEmpty() ? m_file.writeError : m_error;
}

namespace {

bool copyWith(const QString& source, const QString& target, QString* error, Flush flush,
              bool keepAttributes, Replace replace)
{
    if (isSameFile(source, target))
        return true;
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(in.errorString());
    ReplacingFile out(target, replace);
    if (keepAttributes && !out.keepAttributesOf(in.handle()))
        return fail(out.errorString());
    if (!out.open())
        return fail(out.errorString());
    // The kernel copies (or shares the blocks of) a whole file without
    // bringing it through this process.
    const qint64 size = in.size();
    qint64 left = size;
    while (left > 0) {
        const ssize_t n = ::copy_file_range(in.handle(), nullptr, out.file().handle(), nullptr, size_t(left), 0);
        if (n <= 0)
            break;
        left -= n;
    }
    if (left > 0) {
        // Where the kernel cannot, an ordinary copy from where it stopped.
        if (!in.seek(size - left) || !out.file().seek(size - left))
            return fail(in.errorString());
        QByteArray chunk;
        while (!(chunk = in.read(1 << 20)).isEmpty()) {
            if (out.file().write(chunk) != chunk.size())
                return fail(out.file().errorString());
        }
        if (in.error() != QFileDevice::NoError)
            return fail(in.errorString());
    }
    if (!out.commit(flush))
        return fail(out.errorString());
    return true;
}

} // namespace

bool copyFile(const QString& source, const QString& target, QString* error, Flush flush)
{
    return copyWith(source, target, error, flush, false, Replace::Yes);
}

bool copyFileKeepingAttributes(const QString& source, const QString& target, Replace replace,
                               QString* error)
{
    return copyWith(source, target, error, Flush::ToDisk, true, replace);
}

Renamed renameFile(const QString& from, const QString& to, Replace replace, QString* error)
{
    const int failed = placeFile(QFile::encodeName(from), QFile::encodeName(to), replace);
    if (failed == 0)
        return Renamed::Done;
    if (failed == EXDEV)
        return Renamed::OtherVolume;
    if (error)
        *error = systemReason(failed);
    return Renamed::Failed;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error, Flush flush)
{
    ReplacingFile file(path);
    if (file.open()) {
        // A failed write is told by commit(), which then leaves the old file.
        file.file().write(bytes);
        if (file.commit(flush))
            return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

std::optional<QString> linkedFile(const QString& path)
{
    QString current = path;
    // The system's own limit on links in a row.
    for (int hops = 0; hops < 40; ++hops) {
        const QByteArray name = QFile::encodeName(current);
        struct stat st {};
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(name.constData(), target.data(), size_t(target.size()));
        if (n < 0)
            return current;
        target.truncate(n);
        const QString next = QFile::decodeName(target);
        current = next.startsWith(u'/') ? next : joinPath(QFileInfo(current).path(), next);
    }
    return std::nullopt;
}

bool saveFileInPlace(const QString& path, const QByteArray& bytes, QString* error)
{
    const std::optional<QString> file = linkedFile(path);
    if (!file) {
        if (error)
            *error = systemReason(ELOOP);
        return false;
    }
    return writeFileAtomically(*file, bytes, error, Flush::ToDisk);
}

namespace {

using Clock = std::chrono::steady_clock;

// Waits for the lock on fd until the deadline (none: for as long as it takes);
// false with errno set, EWOULDBLOCK when another held it all the while.
bool waitForLock(int fd, std::optional<Clock::time_point> deadline)
{
    if (!deadline) {
        int locked = 0;
        while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        return locked == 0;
    }
    // The system offers no timed wait for this lock: look again every few milliseconds.
    constexpr auto step = std::chrono::milliseconds(10);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return false;
        const auto left = *deadline - Clock::now();
        if (left <= Clock::duration::zero()) {
            errno = EWOULDBLOCK;
            return false;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(left, step));
    }
}

} // namespace

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileLock::lock(const QString& path, std::chrono::milliseconds wait)
{
    m_heldByAnother = false;
    const std::optional<Clock::time_point> deadline =
        wait == waitForever ? std::nullopt : std::optional(Clock::now() + wait);
    const QByteArray name = QFile::encodeName(path);
    // Each round loses only to a writer that put a new file in the name's place.
    for (int round = 0; round < 100; ++round) {
        bool created = false;
        int fd = openForLock(name, 0);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            created = fd >= 0;
            if (fd < 0 && errno == EEXIST)
                continue;
        }
        if (fd < 0) {
            m_error = systemReason(errno);
            return false;
        }
        if (!waitForLock(fd, deadline)) {
            m_heldByAnother = errno == EWOULDBLOCK;
            m_error = m_heldByAnother ? QStringLiteral("It is locked by another program.")
                                      : systemReason(errno);
            ::close(fd);
            return false;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            m_fd = fd;
            m_created = created;
            return true;
        }
        ::close(fd);
    }
    m_error = QStringLiteral("The file keeps being replaced by another program.");
    return false;
}

bool makeFolder(const QString& path)
{
    return !path.isEmpty() && QDir().mkpath(path);
}

void makeDir(const QString& path)
{
    if (!path.isEmpty())
        QDir().mkdir(path);
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    // One allocation: a search joins a path for every file it finds.
    const bool slash = folder.endsWith(u'/');
    QString path;
    path.reserve(folder.size() + name.size() + (slash ? 0 : 1));
    path.append(folder);
    if (!slash)
        path.append(u'/');
    path.append(name);
    return path;
}

} // namespace mosaicon::platform
