#pragma once

#include <QString>
#include <optional>

// The words an ATIS is spoken in. FAA (the AIM's and JO 7110.65's): "two
// seven zero at one zero, gusts two five", the ceiling named ("ceiling four
// thousand five hundred broken"). ICAO: "two seven zero degrees one zero
// knots, gusting two five knots", each layer by its cover first.
enum class Phrasing
{
    Icao,
    Faa
};

// The phrasing of an airport whose profile names none: FAA where the code
// starts with K, P or C (the United States, the Pacific, Canada), ICAO
// elsewhere.
Phrasing DefaultPhrasing(const QString& icao);

// Stored as "ICAO" or "FAA"; read in any letter case, blanks around ignored.
QString StoredPhrasing(Phrasing phrasing);
std::optional<Phrasing> ParsePhrasing(const QString& stored);

// How the written ATIS gives the report's elements: as the METAR's groups
// (27010KT, 9999, CAVOK), for a text pilots read; or in words (WIND 270
// DEGREES 10 KNOTS, VISIBILITY 10 KILOMETERS), for a text that a speech
// engine reads aloud.
enum class TextForm
{
    Groups,
    Words
};

// Stored as "groups" or "words"; read in any letter case, blanks around
// ignored.
QString StoredTextForm(TextForm form);
std::optional<TextForm> ParseTextForm(const QString& stored);
