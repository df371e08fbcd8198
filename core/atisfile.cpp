#include "core/atisfile.h"

#include "core/durablefile.h"
#include "core/texts.h"

#include <QFileInfo>

#include <QDir>
#include <QFileDevice>
#include <QScopeGuard>
#include <QStringEncoder>

#ifndef Q_OS_WIN
#include <cerrno>
#include <iconv.h>
#endif

namespace {

// The description names the file: a wrong or missing folder is the most
// common fault, and the message is all the controller sees.
Failure describedFailure(const Failure& failure, const QString& path)
{
    return {failure.number,
            QStringLiteral("%1: \"%2\"").arg(failure.description, QDir::toNativeSeparators(path))};
}

#ifdef Q_OS_WIN
// Code point by code point, so that only the unrepresentable ones (a lone
// surrogate, a letter outside the code page) become "?".
QByteArray encodeInSystemCodePage(const QString& text)
{
    QStringEncoder encoder(QStringConverter::System, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
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
#else
// Through the C library's converter, from the text's own UTF-16; where it
// stops at a character the code page cannot hold (or a lone surrogate), that
// character becomes "?" and the conversion goes on after it.
std::optional<QByteArray> encodeWithIconv(const QString& text, const QString& encoding)
{
    const char* utf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
    const iconv_t converter = ::iconv_open(encoding.toLatin1().constData(), utf16);
    if (converter == iconv_t(-1))
        return std::nullopt;
    const auto close = qScopeGuard([converter] { ::iconv_close(converter); });
    const QChar* next = text.constData();
    const QChar* const end = next + text.size();
    QByteArray out(text.size() * 2 + 16, Qt::Uninitialized);
    qsizetype used = 0;
    for (bool finished = false; !finished;) {
        char* in = reinterpret_cast<char*>(const_cast<QChar*>(next));
        size_t inLeft = size_t(end - next) * sizeof(QChar);
        char* to = out.data() + used;
        size_t toLeft = size_t(out.size() - used);
        // With nothing left to convert, a stateful code page ends its shift.
        const bool ending = inLeft == 0;
        const size_t result = ending ? ::iconv(converter, nullptr, nullptr, &to, &toLeft)
                                     : ::iconv(converter, &in, &inLeft, &to, &toLeft);
        const int error = errno;
        used = to - out.data();
        next = reinterpret_cast<const QChar*>(in);
        if (result != size_t(-1)) {
            finished = ending;
        } else if (error == E2BIG || used == out.size()) {
            out.resize(out.size() * 2);
        } else {
            // EILSEQ or EINVAL: the character at `next` cannot be written.
            out[used++] = '?';
            next += next->isHighSurrogate() && next + 1 < end && next[1].isLowSurrogate() ? 2 : 1;
        }
    }
    out.truncate(used);
    return out;
}
#endif

} // namespace

std::optional<QByteArray> EncodeForATISFile(const QString& text, const QString& encoding)
{
#ifdef Q_OS_WIN
    Q_UNUSED(encoding);
    return encodeInSystemCodePage(text);
#else
    return encodeWithIconv(text, encoding);
#endif
}

std::optional<Failure> WriteATISFile(const QString& path, const QString& atisText,
                                     const QString& encoding)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path)) {
        constexpr Texts::UserText NotAFullPath{
            QT_TRANSLATE_NOOP("Texts", "The location of atis.txt is not a full path: \"%1\"")};
        return Failure{int(QFileDevice::OpenError), NotAFullPath.arg(path)};
    }
    const auto bytes = EncodeForATISFile(atisText, encoding);
    if (!bytes) {
        constexpr Texts::UserText UnknownCodePage{QT_TRANSLATE_NOOP(
            "Texts",
            "The code page \"%1\" is not known on this computer (setting ATISFileEncoding)")};
        return Failure{int(QFileDevice::WriteError), UnknownCodePage.arg(encoding)};
    }
    // The radar client's folder may let its file be written yet refuse new
    // files beside it, or refuse the replacing while another program holds
    // the file open: then the file is written in place.
    if (auto failure = ReplaceFileContent(path, *bytes, WhenFolderRefuses::RewriteInPlace))
        return describedFailure(*failure, path);
    return std::nullopt;
}

bool ATISFileFolderExists(const QString& path)
{
    return QDir::isAbsolutePath(path) && QFileInfo(path).dir().exists();
}
