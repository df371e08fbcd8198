#pragma once

#include <QString>

// An airport code the tool requests a METAR for: a capital letter and three
// capitals or digits. \z, not $: $ also matches before a final line feed.
inline const QString ICAOPattern = QStringLiteral("^[A-Z]([A-Z]|\\d){3}\\z");

// The request for one airport's METAR: the server address, "?id=" and the
// airport code. Letters and digits go as they are, so a valid code gives
// exactly server + "?id=" + code; anything else is percent-encoded (UTF-8),
// so that whatever the airport box holds cannot add query keys or change
// the path.
QString BuildMetarRequestURL(const QString& metarServerURL, const QString& icao);

// The server's answer for an airport it has no report for, tested on the
// normalised reply: it begins with "No METAR available for ", exactly.
bool IsNoMetarReply(const QString& normalisedReply);
