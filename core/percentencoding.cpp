#include "core/percentencoding.h"

#include <QByteArray>

QString PercentEncoded(const QString& text, const KeptAs& keptAs)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (const auto kept = keptAs(c, i)) {
            out += *kept;
            continue;
        }
        const qsizetype n = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        for (const char byte : text.mid(i, n).toUtf8())
            out += QStringLiteral("%%1").arg(uchar(byte), 2, 16, QLatin1Char('0')).toUpper();
        i += n - 1;
    }
    return out;
}
