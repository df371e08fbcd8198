#pragma once

#include <QString>
#include <optional>

// The ATIS the window shows now, as it was built.
struct WindowAtis
{
    QString icao;
    QString informationCode; // the code's word, e.g. DELTA
    QString observationTime; // e.g. 121653Z
    QString text;
    QString metar;
    bool autoUpdating = false;
};

// What the generator may know of the window: its current ATIS, read only.
class CurrentAtisSource
{
public:
    virtual ~CurrentAtisSource() = default;

    // No value before the window has built its first ATIS.
    virtual std::optional<WindowAtis> currentAtis() const = 0;
};
