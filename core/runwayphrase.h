#pragma once

#include <QString>
#include <QStringList>

// A runway identifier: its number, 1 to 36 (with or without a leading
// zero), and an optional L, R or C. \z, not $: $ also matches before a
// final line feed.
inline const QString RunwayIdPattern = QStringLiteral("^([0-2]\\d|3[0-6]|[1-9])[LRC]?\\z");

// The runways in use and the two operational flags, as one ATIS names them
// in its runway phrase, in the ATIS's English: not marked for translation.
struct RunwayUse
{
    QStringList landing;   // in the order of the runway rows
    QStringList departing; // likewise
    bool visual = false;   // visual approaches in use
    bool lahso = false;    // land-and-hold-short operations in effect
};

// The runway sentences and the two flags as one line of the ATIS, the value
// of %runways%. Never ends with a blank; may be empty.
QString BuildRunwayPhrase(const RunwayUse& use);
