#include "platform/profilefile.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/inidocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QtDebug>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mosaicon::platform {

namespace {

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

// A write on the window's thread is waiting for another program's lock, with
// the window answering: writes that timers make meanwhile only try.
bool waitingOnWindow = false;

bool onWindowThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && app->thread() == QThread::currentThread();
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
    IniDocument text;

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
    // A write found the file locked by another program: the next ones only
    // try, so that a lock kept for long does not hold up every put.
    bool lockedOut = false;
    bool lastWriteLocked = false;
    DiskUse use;

    // The file as read, with our changes not yet on disk made again on it.
    void load(const QByteArray& bytes)
    {
        text.parse(bytes);
        for (const Operation& operation : std::as_const(pending))
            apply(operation);
    }

    bool apply(const Operation& operation)
    {
        return operation.value ? text.put(operation.section, operation.key, *operation.value)
                               : text.remove(operation.section, operation.key);
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
    return d->text.value(section, key).value_or(defaultValue);
}

bool ProfileFile::contains(const QString& section, const QString& key)
{
    reloadIfChanged();
    return d->text.value(section, key).has_value();
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
    return d->text.sectionNames();
}

QStringList ProfileFile::keys(const QString& section)
{
    reloadIfChanged();
    return d->text.keys(section);
}

bool ProfileFile::flush()
{
    return save(nextWait());
}

bool ProfileFile::flush(std::chrono::milliseconds wait)
{
    return save(wait);
}

bool ProfileFile::lockedByAnother() const
{
    return d->lastWriteLocked;
}

bool ProfileFile::save(std::chrono::milliseconds wait)
{
    d->lastWriteLocked = false;
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
    const bool windowThread =
        wait > std::chrono::milliseconds(0) && wait != FileLock::waitForever && onWindowThread();
    const bool nested = windowThread && waitingOnWindow;
    if (!lock.lock(*target, windowThread ? std::chrono::milliseconds(0) : wait) &&
        lock.heldByAnother() && windowThread && !nested) {
        // The window's thread waits in short slices, repainting between them.
        const auto until = std::chrono::steady_clock::now() + wait;
        waitingOnWindow = true;
        const auto waited = qScopeGuard([] { waitingOnWindow = false; });
        for (;;) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(
                until - std::chrono::steady_clock::now());
            if (left <= std::chrono::milliseconds(0))
                break;
            waitAnswering(std::min(left, std::chrono::milliseconds(50)));
            // A write made meanwhile found the lock free and saved ours too.
            if (d->pending.isEmpty())
                return true;
            if (lock.lock(*target, std::chrono::milliseconds(0)) || !lock.heldByAnother())
                break;
        }
    }
    if (lock.handle() < 0) {
        if (!lock.heldByAnother())
            return cannotSave(lock.errorString());
        d->lastWriteLocked = true;
        cannotSave(lock.errorString());
        // A write made while another waits leaves the notice to that wait.
        if (nested)
            return false;
        const bool first = !d->lockedOut;
        d->lockedOut = true;
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
    const QByteArray bytes = d->text.serialize();
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
