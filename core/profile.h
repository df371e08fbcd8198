#pragma once

#include "core/atistype.h"
#include "core/phrasing.h"
#include "core/runwayphrase.h"
#include "core/transitionlevel.h"

#include <QList>
#include <QString>

// One airport's settings as a controller keeps them under a name: what the
// window shows and edits, what the store reads and writes, and what every
// ATIS of the airport is composed from. A new setting of a profile is a
// field here, a row of the store's table of profile keys, its editor in the
// window and its use.
struct Profile
{
    // A row of the runway lists: the same identifier in both, each list's
    // tick its own.
    struct Runway
    {
        QString id{};
        bool landing = false;
        bool departing = false;
        bool operator==(const Runway&) const = default;
    };

    QString icao{};         // as typed
    QString templateText{}; // line breaks as CR LF
    QList<Runway> runways{};
    bool visual = false; // visual approaches in use
    bool lahso = false;  // land-and-hold-short operations in effect
    TransitionLevelTable transitionLevels{};
    AtisType atisType = AtisType::Combined;
    LetterRange letters{};
    // None: the airport code's (DefaultPhrasing).
    std::optional<Phrasing> phrasing{};
    TextForm textForm = TextForm::Groups;

    // The runways ticked in each list, in the order of the rows, with the
    // two flags: what the ATIS names.
    RunwayUse runwayUse() const;
    Phrasing phrasingInUse() const { return phrasing.value_or(DefaultPhrasing(icao)); }
    bool operator==(const Profile&) const = default;
};

// A profile with the name it is saved under.
struct NamedProfile
{
    QString name;
    Profile profile;
};
