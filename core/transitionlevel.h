#pragma once

#include "core/texts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One band of a transition level table: the QNH from lowHpa to highHpa, both
// whole hectopascals and both included, gives the flight level.
struct TransitionLevelBand
{
    int lowHpa = 0;
    int highHpa = 0;
    int level = 0; // a flight level, e.g. 70
    bool operator==(const TransitionLevelBand&) const = default;
};

// A profile's transition level table; empty when the profile has none.
using TransitionLevelTable = QList<TransitionLevelBand>;

// An A group gives inches of mercury times 100; this is the factor to hPa.
inline constexpr double HectopascalsPerInchOfMercury = 33.8639;

// The QNH in whole hPa of a report's altimeter group as decoded, before its
// letter is dropped: "Q1013" and "Q 1013" as they stand, "A2992" converted
// and rounded down (1013.2 gives 1013), as QNH is passed in whole hPa. No
// value for any other group (RMK, Q////, a pressure in millibars with a
// point).
std::optional<int> QnhHectopascals(const QString& altimeterGroup);

// The level of the band holding the QNH; none when no band does, or when
// bands that overlap there give two levels (the table never guesses).
std::optional<int> TransitionLevelFor(const TransitionLevelTable& table, int qnhHpa);

// %tl%: the level for the report's altimeter group, as written ("70"), or
// empty without a table, a QNH, or a level for it.
QString TransitionLevelText(const TransitionLevelTable& table, const QString& altimeterGroup);

// The stored form: "low-high:level" per band, joined by "|", in the table's
// order ("943-977:80|978-1012:70"). A band that does not read as three whole
// numbers is left out when read; one whose bounds are reversed is kept, for
// TransitionLevelTableProblems to name, as it names a table edited by hand.
QString FormatTransitionLevels(const TransitionLevelTable& table);
TransitionLevelTable ParseTransitionLevels(const QString& stored);

// What makes a table unusable, one line each, in QNH order: the values no
// band covers between the lowest and the highest band ("No level for 978 to
// 980 hPa"), the values two bands cover ("Two levels for 1013 hPa"), and
// bands whose bounds are reversed or whose level is not positive. Empty for
// a usable table, and for the empty one.
QStringList TransitionLevelTableProblems(const TransitionLevelTable& table);

// A table to start from, and what it is called in the dialog.
struct TransitionLevelPreset
{
    Texts::UserText name;
    TransitionLevelTable table;
};
const QList<TransitionLevelPreset>& TransitionLevelPresets();
