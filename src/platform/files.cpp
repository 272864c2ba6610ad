#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool copyFile(const QString& source, const QString& target, QString* error)
{
    if (isSameFile(source, target))
        return true;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = in.errorString();
        return false;
    }
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    // The kernel copies (or shares the blocks of) a whole file without
    // bringing it through this process.
    qint64 left = in.size();
    while (left > 0) {
        const ssize_t n = ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr, size_t(left), 0);
        if (n <= 0)
            break;
        left -= n;
    }
    if (left == 0 && out.seek(in.size())) {
        if (!out.commit()) {
            if (error)
                *error = out.errorString();
            return false;
        }
        return true;
    }
    // Where the kernel cannot, an ordinary copy from where it stopped.
    in.seek(in.size() - left);
    out.seek(in.size() - left);
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size()) {
            if (error)
                *error = out.errorString();
            out.cancelWriting();
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        if (error)
            *error = in.errorString();
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
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
