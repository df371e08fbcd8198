#include "core/atisfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>
#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// The description names the file: a wrong or missing folder is the most
// common fault, and the message is all the controller sees.
Failure describedFailure(int number, const QString& description, const QString& path)
{
    return {number, QStringLiteral("%1: \"%2\"").arg(description, QDir::toNativeSeparators(path))};
}

Failure fileFailure(const QFileDevice& file, const QString& path)
{
    return describedFailure(int(file.error()), file.errorString(), path);
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

// Every byte through to the disk, or the failure. The file is unbuffered:
// a buffered write only fills memory, and QSaveFile::commit ignores a failed
// flush of that buffer. A short write is continued, so that the next one
// tells why the disk took no more.
std::optional<Failure> writeThrough(QFileDevice& file, const QByteArray& bytes, const QString& path)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fileFailure(file, path);
        done += written;
    }
    if (!syncToDisk(file.handle()))
        return describedFailure(int(QFileDevice::WriteError), qt_error_string(errno), path);
    return std::nullopt;
}

// The existing file emptied and written again: only where no temporary file
// can take its place. A failure after the emptying cannot bring the previous
// text back, but it is reported.
std::optional<Failure> writeInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::ExistingOnly |
                   QIODevice::Unbuffered))
        return fileFailure(file, path);
    if (auto failure = writeThrough(file, bytes, path))
        return failure;
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fileFailure(file, path);
    return std::nullopt;
}

} // namespace

QByteArray EncodeForATISFile(const QString& text)
{
    QStringEncoder encoder(QStringConverter::System, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;

    // Encode code point by code point so that only the unrepresentable ones
    // (a lone surrogate, a letter outside the code page) become "?".
    bytes.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            length = 2;
        QStringEncoder single(QStringConverter::System, QStringConverter::Flag::Stateless);
        const QByteArray piece = single.encode(QStringView(text).mid(i, length));
        bytes += single.hasError() ? QByteArray("?") : piece;
        i += length - 1;
    }
    return bytes;
}

std::optional<Failure> WriteATISFile(const QString& path, const QString& atisText)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path)) {
        return Failure{int(QFileDevice::OpenError),
                       QCoreApplication::translate(
                           "Texts", "The location of atis.txt is not a full path: \"%1\"")
                           .arg(path)};
    }
    const QByteArray bytes = EncodeForATISFile(atisText);
    // The radar client's folder may let its file be written yet refuse new
    // files beside it, or refuse the replacing while another program holds
    // the file open: then the file is written in place.
    const bool existing = QFileInfo(path).isFile();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return existing ? writeInPlace(path, bytes) : fileFailure(file, path);
    if (auto failure = writeThrough(file, bytes, path)) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit()) {
        if (existing && file.error() == QFileDevice::RenameError)
            return writeInPlace(path, bytes);
        return fileFailure(file, path);
    }
    return std::nullopt;
}

bool ATISFileFolderExists(const QString& path)
{
    return QDir::isAbsolutePath(path) && QFileInfo(path).dir().exists();
}
