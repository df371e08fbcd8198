#pragma once

#include "metar.h"

#include <QString>

// Everything a template may name, read at the moment of expansion.
struct TemplateValues
{
    QString icao;           // txtICAO as typed
    QString informationCode; // the text of the selected code, e.g. ALPHA
    DecodedMetar metar;     // after FinishAltimeterAndVisibility
    QString runways;        // the runway phrase
    QString profile;        // the current profile, empty when none
};

// Fills the template's %-variables. Colons of the template become blanks
// first (the radar client reads a colon as a field separator); the radar
// client's own $-functions pass through with only our variables inside them
// replaced. Cannot fail.
QString ExpandTemplate(const QString& templateText, const TemplateValues& values);
