#include "core/metarrequest.h"

#include "core/percentencoding.h"

QString BuildMetarRequestURL(const QString& metarServerURL, const QString& icao)
{
    const QString code = PercentEncoded(icao, [](QChar c, qsizetype) -> std::optional<QString> {
        const char16_t u = c.unicode();
        if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
            return QString(c);
        return std::nullopt;
    });
    return metarServerURL + QStringLiteral("?id=") + code;
}

bool IsNoMetarReply(const QString& normalisedReply)
{
    return normalisedReply.startsWith(QStringLiteral("No METAR available for "), Qt::CaseSensitive);
}
