#include "store/storenames.h"

#include <QStringDecoder>
#include <QUrl>

namespace {
int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}
} // namespace

QString EncodeStoreName(const QString& name, bool caseInsensitiveBackend)
{
    // The empty name would be no key at all: a lone "%" stands for it.
    if (name.isEmpty())
        return QStringLiteral("%");
    // "~" is encoded as well, so that names stored so far keep their form.
    const QByteArray capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QByteArray encoded =
        QUrl::toPercentEncoding(name, " ", caseInsensitiveBackend ? "~" + capitals : "~");
    if (encoded.startsWith(' '))
        encoded.replace(0, 1, "%20");
    if (encoded.endsWith(' '))
        encoded.replace(encoded.size() - 1, 1, "%20");
    if (!caseInsensitiveBackend)
        return QString::fromLatin1(encoded);
    // Each capital, now %41 to %5A, as "^" and the small letter.
    QString out;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const int code = encoded.at(i) == '%' ? encoded.mid(i + 1, 2).toInt(nullptr, 16) : 0;
        if (code >= 'A' && code <= 'Z') {
            out += QLatin1Char('^') + QChar(code).toLower();
            i += 2;
        } else {
            out += QLatin1Char(encoded.at(i));
        }
    }
    return out;
}

QString DecodeStoreName(const QString& encoded, bool caseInsensitiveBackend)
{
    if (encoded == QLatin1String("%"))
        return QString();
    QByteArray utf8;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const QChar c = encoded.at(i);
        if (c == QLatin1Char('%') && i + 2 < encoded.size() && hexValue(encoded.at(i + 1)) >= 0 &&
            hexValue(encoded.at(i + 2)) >= 0) {
            utf8 += char(hexValue(encoded.at(i + 1)) * 16 + hexValue(encoded.at(i + 2)));
            i += 2;
        } else if (caseInsensitiveBackend && c == QLatin1Char('^') && i + 1 < encoded.size()) {
            utf8 += encoded.at(i + 1).toUpper().toLatin1();
            i += 1;
        } else {
            utf8 += QString(c).toUtf8();
        }
    }
    // A name may begin with U+FEFF like any other character.
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(utf8);
}
