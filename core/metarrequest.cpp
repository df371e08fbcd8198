#include "metarrequest.h"

#include <QByteArray>

QString BuildMetarRequestURL(const QString& metarServerURL, const QString& icao)
{
    QString code;
    const QByteArray utf8 = icao.toUtf8();
    for (const char byte : utf8) {
        const auto c = static_cast<unsigned char>(byte);
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (alnum)
            code += QLatin1Char(char(c));
        else
            code += QStringLiteral("%%1").arg(c, 2, 16, QLatin1Char('0')).toUpper();
    }
    return metarServerURL + QStringLiteral("?id=") + code;
}

bool IsNoMetarReply(const QString& normalisedReply)
{
    return normalisedReply.startsWith(QStringLiteral("No METAR available for "), Qt::CaseSensitive);
}
