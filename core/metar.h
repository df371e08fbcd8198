#pragma once

#include <QString>
#include <optional>

// One METAR as the ATIS uses it: the normalised reply and its elements, all
// kept in METAR notation (17011KT, 10SM, -RA, BKN035, M01, 2992).
struct DecodedMetar
{
    QString Metar;
    QString ObservationTime;
    QString Wind;
    QString Visibility;
    QString Precip;
    QString Sky;
    QString Temperature;
    QString DewPoint;
    QString Altimeter;
    // The groups the pattern reads past, for the spoken report: the runway
    // visual ranges ("R25R/P1500 R07/0600V1000U"), and what follows the
    // pressure up to the remarks (recent weather, wind shear, the trend).
    QString RunwayVisualRange;
    QString Supplementary;
    // The pressure's unit as its group names it: "Q" for hectopascals, "A"
    // for inches of mercury; empty when the group names none (RMK).
    QString PressureLetter;
};

// Deletes every CR and LF (they are not replaced by blanks), then collapses
// each run of whitespace to one blank. Nothing is trimmed.
QString NormaliseMetarReply(const QString& reply);

// The first half of the normalisation alone: the line breaks deleted.
QString RemoveLineBreaks(const QString& reply);

// Matches the normalised reply against MetarPattern; no value when the reply
// is not a METAR the pattern can read, or when what the pattern reads (up to
// the altimeter) is longer than MaxMetarMatchLength (core/metarmatcher.h),
// which no METAR is. The time grows linearly with the length of the reply.
std::optional<DecodedMetar> DecodeMetar(const QString& normalised);

// The first group of a decoded report that does not read as a METAR's, as
// it stands in the report; no value when each does. The pattern takes any
// word ending in KT for the wind and any six digits for the time; here the
// time must be a day 01 to 31, an hour 00 to 23 and a minute 00 to 59, the
// wind a direction 000 to 360 or VRB with a speed, a gust maybe and its
// unit, and the QNH 850 to 1100 hPa or A2500 to A3250.
std::optional<QString> UnreadableMetarGroup(const DecodedMetar& metar);

// The last touch before the elements go into the ATIS: the altimeter loses
// its A or Q, the long CAVOK form becomes CAVOK.
void FinishAltimeterAndVisibility(DecodedMetar& metar);

// The station a decoded METAR is for, in capitals: its first four
// characters, which the pattern requires before the first blank.
inline QString MetarStation(const DecodedMetar& metar)
{
    return metar.Metar.left(4).toUpper();
}
