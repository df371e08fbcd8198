#pragma once

#include "core/atisfile.h"
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
    QString ATISFilePath;
    // The code page atis.txt is written in (see EncodeForATISFile).
    QString ATISFileEncoding = DefaultATISFileEncoding;
    // PrevWind, PrevVisibility, ... PrevDewPoint: the elements of the last
    // ATIS delivered, as Prev.Wind, Prev.Visibility, ... Prev.DewPoint.
    AtisElements Prev;
};
