#pragma once

#include <QStringView>
#include <array>
#include <optional>
#include <utility>

// Start and length of groups 1 to 10 of MetarPattern (index 0 unused); start
// -1 for a group that took no part in the match.
using MetarSpans = std::array<std::pair<qsizetype, qsizetype>, 11>;

// Matches MetarPattern (ignore case, ASCII classes) at the start of the text
// and gives the groups of the match a backtracking engine would report:
// alternatives from left to right, greedy quantifiers. Every way on from a
// given point of the pattern and a given position is tried at most once, so
// the work grows linearly with the text, whatever its length or its shape.
std::optional<MetarSpans> matchMetarPattern(QStringView text);
