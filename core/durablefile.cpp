#include "core/durablefile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
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

std::optional<Failure> writeThrough(QFileDevice& file, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fileFailure(file);
        done += written;
    }
    if (!syncToDisk(file.handle()))
        return Failure{int(QFileDevice::WriteError), qt_error_string(errno)};
    return std::nullopt;
}

std::optional<Failure> rewriteInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::ExistingOnly |
                   QIODevice::Unbuffered))
        return fileFailure(file);
    if (auto failure = writeThrough(file, bytes))
        return failure;
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
