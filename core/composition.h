#pragma once

#include "core/failure.h"
#include "core/metar.h"
#include "core/profile.h"
#include "core/template.h"

#include <QString>
#include <optional>
#include <variant>

// Everything one ATIS is made of, as it stands when the ATIS is built: the
// window's update cycle and the local generator's requests fill it alike.
struct AtisInputs
{
    // The airport's settings: its code, template, runways, flags, ATIS type
    // and transition level table.
    Profile profile{};
    QString profileName{};     // %profile%
    QString informationCode{}; // the code's word, e.g. DELTA
    DecodedMetar metar{};      // as decoded; the last touch is given here
    // The runways and flags a caller of the generator asks for, in place of
    // the profile's ticks.
    std::optional<RunwayUse> runwaysAskedFor{};
    QString approach{};
    QString remarks{};

    // The runways and flags the ATIS names.
    RunwayUse runways() const { return runwaysAskedFor.value_or(profile.runwayUse()); }
};

// One ATIS, written and ready to be spoken.
struct ComposedAtis
{
    QString text;
    QString templateText;
    // What was filled in: the METAR's elements after their last touch, the
    // runway phrase, the code...
    TemplateValues values;
    // What %tl% was looked up in and with: the profile's table and the
    // report's QNH in whole hPa (none when it has none).
    TransitionLevelTable transitionLevels;
    std::optional<int> qnhHpa;

    // The ATIS as a pilot hears it, from the same template and values.
    QString spoken() const;
};

// The runway phrase, the METAR's last touch, then the template filled in.
// Fails only when the ATIS would be too long.
std::variant<ComposedAtis, Failure> ComposeAtis(const AtisInputs& inputs);
