#pragma once

#include "core/profile.h"

#include <QString>
#include <optional>

// Where the generator reads the saved profiles. Read afresh for every
// request, so that a profile saved meanwhile answers at once.
class ProfileSource
{
public:
    virtual ~ProfileSource() = default;

    // No value when no profile has that name (compared exactly).
    virtual std::optional<NamedProfile> profileNamed(const QString& name) const = 0;
    // The first profile for the airport (its code compared in any letter
    // case), in the order the window lists the profiles.
    virtual std::optional<NamedProfile> firstProfileFor(const QString& icao) const = 0;
};
