#pragma once

#include "core/composition.h"
#include "core/runwayphrase.h"

#include <QString>
#include <QStringList>
#include <optional>

// What one ATIS is checked against before it goes on the air.
struct AtisCheckInputs
{
    ComposedAtis atis;
    // The runways the ATIS names: ticked in the window, or asked for.
    RunwayUse runways;
    // The airport the ATIS was asked for.
    QString requestedIcao;
    // The report's age when the ATIS was built; none when unknown.
    std::optional<qint64> ageMinutes;
    // The code page the radar client reads the text in (as EncodeForATISFile
    // takes it); empty for a text that goes to no such client.
    QString atisFileEncoding;
};

// A ticked runway with more wind than this across or from behind is named.
// The wind of a METAR is true, the runway's number magnetic: the limits warn,
// they decide nothing.
inline constexpr int TailwindLimitKt = 5;
inline constexpr int CrosswindLimitKt = 20;

// What a controller should look at before this ATIS goes on the air, each a
// short fixed text naming the thing found; none for a clean ATIS. It only
// informs: the letter, the text and atis.txt stay as they are.
QStringList CheckAtis(const AtisCheckInputs& inputs);

// The words of a written ATIS a speech engine would read wrongly: each word
// that mixes letters and digits and is none of the forms ATIS speech reads
// aloud (a runway, a time, a frequency, a level, a group of a METAR), once,
// in the order found. "Y3" and "3MM" are; "16L", "1650Z", "FL70",
// "24015G25KT", "M1/4SM", "R25R/P1500" and "BKN012CB" are not. A word with
// slashes passes when it is one group or when each of its parts passes.
QStringList WordsReadWronglyAloud(const QString& text);

// The "New ATIS" message's block: two line breaks, "Check:", and each
// finding on its own line; empty without findings.
QString CheckBlock(const QStringList& findings);
