#pragma once

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
    QString PrevWind;
    QString PrevVisibility;
    QString PrevSky;
    QString PrevPrecip;
    QString PrevAltimeter;
    QString PrevTemperature;
    QString PrevDewPoint;
};
