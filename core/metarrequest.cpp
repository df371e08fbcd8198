#include "core/metarrequest.h"

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
