#pragma once

#include "core/metar.h"

#include <QString>

// The seven elements an ATIS announces and compares, in this order.
struct AtisElements
{
    QString Wind;
    QString Visibility;
    QString Sky;
    QString Precip;
    QString Altimeter;
    QString Temperature;
    QString DewPoint;

    static AtisElements of(const DecodedMetar& m)
    {
        return {m.Wind, m.Visibility, m.Sky, m.Precip, m.Altimeter, m.Temperature, m.DewPoint};
    }
};

// CR LF CR LF "Changed: winds, altimeter." for the elements that differ from
// the previous ATIS; empty when none differ or when there was no previous
// ATIS (lastMetarKey empty).
QString BuildChangeList(const AtisElements& current, const AtisElements& previous,
                        const QString& lastMetarKey);

// The prompt of the "New ATIS" message.
QString NewAtisPrompt(const QString& informationCode, const QString& wind, const QString& altimeter,
                      const QString& visibility, const QString& sky, const QString& changeLine);
