#include "core/durablefile.h"

#include "core/texts.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace {

Failure fileFailure(const QFileDevice& file)
{
    return {int(file.error()), file.errorString()};
}

// Asks the system to put the file's data on the disk; a device that cannot
// sync (a pipe, a terminal) has nothing to keep.
bool syncToDisk(int handle)
{
#ifdef Q_OS_WIN
    return ::_commit(handle) == 0;
#else
    return ::fsync(handle) == 0 || errno == EINVAL;
#endif
}

// Writes the bytes from the start of the file, and cuts off what an older,
// longer content leaves behind them.
std::optional<Failure> writeThrough(QFileDevice& file, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fileFailure(file);
        done += written;
    }
    if (file.size() > bytes.size() && !file.resize(bytes.size()))
        return fileFailure(file);
    if (!syncToDisk(file.handle()))
        return Failure{int(QFileDevice::WriteError), qt_error_string(errno)};
    return std::nullopt;
}

// Room on the disk for the whole new content, taken before the old one is
// touched: a disk with no free block (nor an inode for a file beside it)
// would otherwise leave the file cut. Nothing is taken where the file system
// cannot reserve room.
std::optional<Failure> reserveRoom(int handle, qint64 size)
{
#ifdef Q_OS_LINUX
    if (size > 0 && ::fallocate(handle, FALLOC_FL_KEEP_SIZE, 0, size) != 0) {
        const int error = errno;
        if (error == EOPNOTSUPP || error == ENOSYS)
            return std::nullopt;
        const bool full = error == ENOSPC || error == EDQUOT;
        return Failure{int(full ? QFileDevice::ResourceError : QFileDevice::WriteError),
                       qt_error_string(error)};
    }
#else
    Q_UNUSED(handle);
    Q_UNUSED(size);
#endif
    return std::nullopt;
}

std::optional<Failure> rewriteInPlace(const QString& path, const QByteArray& bytes)
{
    // Opened without emptying it: the file keeps its content until the room
    // for the new one is there.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return fileFailure(file);
    if (auto failure = reserveRoom(file.handle(), bytes.size()))
        return failure;
    if (auto failure = writeThrough(file, bytes)) {
        constexpr Texts::UserText PartWritten{QT_TRANSLATE_NOOP(
            "Texts", "%1; written in place, the file may now hold part of the new content")};
        return Failure{failure->number, PartWritten.arg(failure->description)};
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fileFailure(file);
    return std::nullopt;
}

} // namespace

std::optional<Failure> ReplaceFileContent(const QString& path, const QByteArray& bytes,
                                          WhenFolderRefuses whenRefused)
{
    const bool inPlaceAllowed =
        whenRefused == WhenFolderRefuses::RewriteInPlace && QFileInfo(path).isFile();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return inPlaceAllowed ? rewriteInPlace(path, bytes) : fileFailure(file);
    if (auto failure = writeThrough(file, bytes)) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit()) {
        if (inPlaceAllowed && file.error() == QFileDevice::RenameError)
            return rewriteInPlace(path, bytes);
        return fileFailure(file);
    }
    return std::nullopt;
}
