#include "core/metarrequest.h"

#include "core/texts.h"

#include <QUrl>

QString BuildMetarRequestURL(const QString& metarServerURL, const QString& icao)
{
    // The unreserved marks too, so that ".." cannot pass as a path step.
    const QByteArray code = QUrl::toPercentEncoding(icao, QByteArray(), "-._~");
    return metarServerURL + QStringLiteral("?id=") + QString::fromLatin1(code);
}

bool IsNoMetarReply(const QString& normalisedReply)
{
    return normalisedReply.startsWith(QStringLiteral("No METAR available for "), Qt::CaseSensitive);
}

std::optional<Failure> CheckReplyStation(const QString& normalisedReply, const QString& icao)
{
    // Latin-1 bytes upper-cased as ASCII: no sign outside ASCII (the Kelvin
    // sign for a K) passes for a letter of a code.
    const QString station = normalisedReply.section(u' ', 0, 0);
    if (station.toLatin1().toUpper() == icao.toLatin1().toUpper())
        return std::nullopt;
    constexpr Texts::UserText WrongStation{QT_TRANSLATE_NOOP(
        "Texts", "The METAR received is for %1, not for the airport asked for, %2.")};
    return Failure{WrongStationErrorNumber, WrongStation.arg(station, icao)};
}
