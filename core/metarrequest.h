#pragma once

#include "core/failure.h"

#include <QString>
#include <optional>

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

inline constexpr int WrongStationErrorNumber = 2002;

// A METAR names its station first. A reply for another station than the
// airport asked for (a server answering for a neighbour, a cache that mixed
// airports up) must never become this airport's ATIS: the failure names
// both codes. Letter case aside, as the box may still hold small letters.
std::optional<Failure> CheckReplyStation(const QString& normalisedReply, const QString& icao);
