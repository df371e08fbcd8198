#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <utility>

// The decoding pattern: station, observation time, then ten groups read in
// order (time, wind, variable direction, visibility, weather, vertical
// visibility, clouds, temperature, dew point, altimeter).
extern const QString MetarPattern;

// Start and length of the whole match (index 0) and of groups 1 to 10 of
// MetarPattern; start -1 for a group that took no part in the match.
using MetarSpans = std::array<std::pair<qsizetype, qsizetype>, 11>;

// What the pattern reads of a real METAR, up to the altimeter, is a few
// hundred characters. Only a hostile reply (a run of a million weather codes)
// matches further, and RE2 takes the groups of a match at about 0.1 us a
// character: such a match is refused like a reply that is no METAR.
constexpr qsizetype MaxMetarMatchLength = 4096;

// Matches MetarPattern (ignore case, ASCII classes) at the start of the text
// and gives the groups of the match a backtracking engine would report:
// alternatives from left to right, greedy quantifiers. The engine (RE2) runs
// in time linear in the length of the text, whatever its shape. A match
// longer than MaxMetarMatchLength is refused.
std::optional<MetarSpans> matchMetarPattern(QStringView text);
