#pragma once

#include "core/failure.h"
#include "core/metar.h"

#include <QString>
#include <variant>

// Everything a template may name, read at the moment of expansion.
struct TemplateValues
{
    QString icao;            // txtICAO as typed
    QString informationCode; // the text of the selected code, e.g. ALPHA
    DecodedMetar metar;      // after FinishAltimeterAndVisibility
    QString runways;         // the runway phrase
    QString profile;         // the current profile, empty when none
};

// The longest ATIS an expansion builds, in characters. A real one is well
// under 2,000; a reply can carry variables in its wind element, and each
// one inserts the whole reply again in a later step.
inline constexpr qsizetype MaxAtisLength = 65536;
inline constexpr int AtisTooLongErrorNumber = 2001;

// Fills the template's %-variables. Colons of the template become blanks
// first (the radar client reads a colon as a field separator); the radar
// client's own $-functions pass through with only our variables inside them
// replaced. Fails, before building it, on an ATIS longer than MaxAtisLength.
std::variant<QString, Failure> ExpandTemplate(const QString& templateText,
                                              const TemplateValues& values);
