#include "core/atisfile.h"

#include "core/durablefile.h"

#include <QDir>
#include <QFileDevice>
#include <QStringEncoder>

namespace {

// The description names the file: a wrong or missing folder is the most
// common fault, and the message is all the controller sees.
Failure describedFailure(const Failure& failure, const QString& path)
{
    return {failure.number,
            QStringLiteral("%1: \"%2\"").arg(failure.description, QDir::toNativeSeparators(path))};
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
        return Failure{
            int(QFileDevice::OpenError),
            QStringLiteral("The location of atis.txt is not a full path: \"%1\"").arg(path)};
    }
    const QByteArray bytes = EncodeForATISFile(atisText);
    // The radar client's folder may let its file be written yet refuse new
    // files beside it, or refuse the replacing while another program holds
    // the file open: then the file is written in place.
    if (auto failure = ReplaceFileContent(path, bytes, WhenFolderRefuses::RewriteInPlace))
        return describedFailure(*failure, path);
    return std::nullopt;
}
