#pragma once

#include "core/changereport.h"

#include <QString>
#include <cstdint>

// State kept between events besides what the window's controls show.
// Lives from start-up to exit.
struct SessionState
{
    std::int16_t TickCounter = 0;
    QString MetarServerURL;
    QString CurrentProfile;
    bool ProfileDirty = false;
    QString LastMetarKey;
    // ATISFilePath is a program setting, kept with the others in
    // ProgramSettings: read at start-up, changed by the location command,
    // written at unload.
    // PrevWind, PrevVisibility, ... PrevDewPoint: the elements of the last
    // ATIS delivered, as Prev.Wind, Prev.Visibility, ... Prev.DewPoint.
    AtisElements Prev;

    // Auto-update runs: the timer ticks and the code list is locked.
    bool autoUpdating = false;
    // The code shown is the one on the air ("Current Code:"), not the
    // starting code still to be used ("Starting Code:").
    bool codeIsCurrent = false;
    // The key (airport and observation time) of the observation the code
    // shown was chosen for. A cycle that could not deliver its ATIS leaves
    // LastMetarKey behind; the retry finds its letter chosen already.
    QString codeChosenForKey;
};
