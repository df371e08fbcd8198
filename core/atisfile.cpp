#include "atisfile.h"

#include <QDir>
#include <QSaveFile>
#include <QStringEncoder>

namespace {

Failure fileFailure(const QFileDevice& file)
{
    return {int(file.error()), file.errorString()};
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
                       QStringLiteral("The location of atis.txt is not a full path: \"%1\"")
                           .arg(path)};
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileFailure(file);
    const QByteArray bytes = EncodeForATISFile(atisText);
    if (file.write(bytes) != bytes.size()) {
        Failure failure = fileFailure(file);
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return fileFailure(file);
    return std::nullopt;
}
