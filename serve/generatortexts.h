#pragma once

#include <QString>

// The one-line reasons the local generator answers a refusal with, and its
// warnings, defined once. They go to the radar and ATIS clients that called,
// as HTTP's own words do: English, not marked for translation.
namespace GeneratorTexts {

// A value the caller sent, as a reason may quote it: printable characters
// only, so the reason stays one line, and cut after 40 of them.
inline QString quoted(const QString& value)
{
    QString shown;
    for (QChar c : value) {
        if (shown.size() == 40)
            return QLatin1Char('"') + shown + QStringLiteral("...\"");
        shown += c.isPrint() ? c : QChar(u'?');
    }
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

// 400
inline QString MissingParameter(const QString& name)
{
    return QStringLiteral("Missing parameter: %1").arg(name);
}
inline const QString MissingMetarOrIcao =
    QStringLiteral("Missing parameter: metar, icao or profile names no airport");
inline QString NotAnInformationCode(const QString& value)
{
    return QStringLiteral("info is no letter A to Z nor its word: %1").arg(quoted(value));
}
inline QString NotARunway(const QString& parameter, const QString& value)
{
    return QStringLiteral("%1 holds no runway: %2").arg(parameter, quoted(value));
}
inline QString NotAnAirport(const QString& value)
{
    return QStringLiteral("icao is no airport code: %1").arg(quoted(value));
}
inline QString NotAFlag(const QString& parameter, const QString& value)
{
    return QStringLiteral("%1 is neither 0 nor 1: %2").arg(parameter, quoted(value));
}
inline QString UnknownFormat(const QString& value)
{
    return QStringLiteral("format is none of text, voice, json: %1").arg(quoted(value));
}
inline QString ProfileForOtherAirport(const QString& profile, const QString& profileIcao,
                                      const QString& icao)
{
    return QStringLiteral("Profile %1 is for %2, not %3").arg(quoted(profile), profileIcao, icao);
}
inline const QString RequestLineControl = QStringLiteral("Request line holds a control character");
inline QString NoHttpVersion(const QString& lastWord)
{
    return QStringLiteral("Request line ends in no HTTP version: %1").arg(quoted(lastWord));
}
inline const QString RequestLineNoMethod = QStringLiteral("Request line names no method");
inline const QString RequestLineNoTarget = QStringLiteral("Request line names no target");
inline QString HeaderLineNotUnderstood(const QString& line)
{
    return QStringLiteral("Header line not understood: %1").arg(quoted(line));
}
inline const QString HostNotAllowed =
    QStringLiteral("Host not allowed: ask for 127.0.0.1, localhost or [::1] with the port");
inline const QString FromAnotherSite = QStringLiteral("Not served to a web page of another site");
inline const QString OnlyGet = QStringLiteral("Only GET is served");
inline const QString TargetTooLong = QStringLiteral("Request target too long");
inline const QString RequestTooLarge = QStringLiteral("Request too large");
inline QString TooManyHeaderFields(int most)
{
    return QStringLiteral("Too many header fields: over %1").arg(most);
}
inline const QString TooManyConnections = QStringLiteral("Too many connections");

// 404
inline QString NoProfileFor(const QString& icao)
{
    return QStringLiteral("No profile for %1").arg(icao);
}
inline QString NoProfileNamed(const QString& name)
{
    return QStringLiteral("No profile named %1").arg(quoted(name));
}
inline const QString NotFound = QStringLiteral("Not found: ask for /atis or /current");
inline const QString NoAtisYet = QStringLiteral("The window has built no ATIS yet");

// 422
inline const QString MetarNotDecoded = QStringLiteral("METAR cannot be decoded");
inline QString MetarGroupNotUnderstood(const QString& group)
{
    return QStringLiteral("METAR group not understood: %1").arg(quoted(group));
}
inline QString MetarForOtherAirport(const QString& station, const QString& icao)
{
    return QStringLiteral("METAR is for %1, not %2").arg(station, icao);
}

// 502
inline const QString NoMetarServer = QStringLiteral("No METAR server known yet");
inline QString MetarServerFailed(const QString& failure)
{
    return QStringLiteral("METAR server failed: %1").arg(failure);
}
inline QString MetarServerHasNone(const QString& icao)
{
    return QStringLiteral("METAR server has no report for %1").arg(icao);
}
inline QString MetarServerOtherAirport(const QString& station, const QString& icao)
{
    return QStringLiteral("METAR server answered for %1, not %2").arg(station, icao);
}

// Warnings of an ATIS answered all the same.
inline QString NotFilled(const QString& function)
{
    return QStringLiteral("Not filled: %1").arg(function);
}

} // namespace GeneratorTexts
