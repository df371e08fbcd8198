#pragma once

#include "core/atistype.h"
#include "core/runwayphrase.h"
#include "core/transitionlevel.h"

#include <QString>
#include <optional>

// One saved profile as the generator uses it: its name and airport, its
// template, the runways ticked in each list with the two flags, and what
// fills %tl% and %type%.
struct GeneratorProfile
{
    QString name;
    QString icao;
    QString templateText;
    RunwayUse runways;
    TransitionLevelTable transitionLevels;
    AtisType atisType = AtisType::Combined;
};

// Where the generator reads the saved profiles. Read afresh for every
// request, so that a profile saved meanwhile answers at once.
class ProfileSource
{
public:
    virtual ~ProfileSource() = default;

    // No value when no profile has that name (compared exactly).
    virtual std::optional<GeneratorProfile> profileNamed(const QString& name) const = 0;
    // The first profile for the airport (its code compared in any letter
    // case), in the order the window lists the profiles.
    virtual std::optional<GeneratorProfile> firstProfileFor(const QString& icao) const = 0;
};
