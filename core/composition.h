#pragma once

#include "core/atistype.h"
#include "core/failure.h"
#include "core/metar.h"
#include "core/runwayphrase.h"
#include "core/template.h"
#include "core/transitionlevel.h"

#include <QString>
#include <variant>

// Everything one ATIS is made of, as it stands when the ATIS is built: the
// window's update cycle and the local generator's requests fill it alike.
struct AtisInputs
{
    QString templateText;
    QString icao;
    QString informationCode; // the code's word, e.g. DELTA
    DecodedMetar metar;      // as decoded; the last touch is given here
    RunwayUse runways;
    QString profile;
    QString approach;
    QString remarks;
    // The profile's: %tl% is its level for the report's QNH.
    TransitionLevelTable transitionLevels;
    AtisType atisType = AtisType::Combined;
};

// One ATIS, written and ready to be spoken.
struct ComposedAtis
{
    QString text;
    QString templateText;
    // What was filled in: the METAR's elements after their last touch, the
    // runway phrase, the code...
    TemplateValues values;

    // The ATIS as a pilot hears it, from the same template and values.
    QString spoken() const;
};

// The runway phrase, the METAR's last touch, then the template filled in.
// Fails only when the ATIS would be too long.
std::variant<ComposedAtis, Failure> ComposeAtis(const AtisInputs& inputs);
