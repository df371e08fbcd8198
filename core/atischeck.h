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

// The words of a spoken ATIS a speech engine would read wrongly: each word
// that still mixes letters and digits, but an ordinal (2nd), once, in the
// order found. "Y3" and "3MM" are; the spoken form has said 16L, 1650Z,
// FL70 and the METAR's groups in words.
QStringList WordsReadWronglyAloud(const QString& text);

// The "New ATIS" message's block: two line breaks, "Check:", and each
// finding on its own line; empty without findings.
QString CheckBlock(const QStringList& findings);
