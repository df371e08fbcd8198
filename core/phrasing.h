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
