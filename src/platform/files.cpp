#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
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

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

ReplacingFile::ReplacingFile(const QString& target)
    : m_target(target)
{
    // Writing through a link replaces the file it leads to, not the link.
    const QFileInfo info(target);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        m_target = info.canonicalFilePath();
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
    const bool keepMode = ::stat(target.constData(), &existing) == 0 && S_ISREG(existing.st_mode);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temp = folder + '.' + name + '.' +
                                QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".part";
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            m_error = systemReason(errno);
            return false;
        }
        if (keepMode)
            ::fchmod(fd, existing.st_mode & 07777);
        m_temp = temp;
        m_fd = fd;
        m_file.writeError.clear();
        // The descriptor is closed by commit(), where the error of its close can be seen.
        if (!m_file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                         QFileDevice::DontCloseHandle)) {
            m_error = m_file.errorString();
            cancel();
            return false;
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
    if (error.isEmpty() && flush == Flush::ToDisk && ::fdatasync(m_fd) != 0)
        error = systemReason(errno);
    // Some file systems tell of a failed write only when the file is closed.
    if (::close(m_fd) != 0 && error.isEmpty())
        error = systemReason(errno);
    m_fd = -1;
    if (error.isEmpty() && ::rename(m_temp.constData(), QFile::encodeName(m_target).constData()) != 0)
        error = systemReason(errno);
    if (!error.isEmpty()) {
        m_error = error;
        cancel();
        return false;
    }
    m_temp.clear();
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
}

QString ReplacingFile::errorString() const
{
    return m_error.isEmpty() ? m_file.writeError : m_error;
}

bool copyFile(const QString& source, const QString& target, QString* error, Flush flush)
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
    ReplacingFile out(target);
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

bool makeFolder(const QString& path)
{
    return !path.isEmpty() && QDir().mkpath(path);
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace mosaicon::platform
