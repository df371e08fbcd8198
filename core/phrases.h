#pragma once

#include "core/metar.h"
#include "core/phrasing.h"

#include <QList>
#include <QPair>
#include <QString>

// The ATIS as a pilot hears it: the words a speech engine reads aloud, built
// from the same template and values as the written ATIS. Digits are spoken
// one by one (nine as "niner"), heights in thousands and hundreds, the code
// letter as its phonetic word, times with "Zulu". Pure and total: any text
// gives words, an element it cannot read is spoken as written. The words are
// the ATIS's, English like the written ATIS: not marked for translation.
namespace Spoken {

// The abbreviations free text may hold, with the words spoken for them;
// matched as whole words in any letter case.
extern const QList<QPair<QString, QString>> Abbreviations;

QString digits(QStringView text);             // "2992": two niner niner two
QString letters(QStringView text);            // "KSEA": Kilo Sierra Echo Alpha
QString informationCode(const QString& code); // "X-RAY" or "X": X-ray
QString time(const QString& observation);     // "121653Z": one six five three Zulu
QString runway(const QString& id);            // "16L": one six left
QString wind(const QString& wind, Phrasing phrasing);
// ICAO in metres and kilometres, the FAA in meters and kilometers: 9999 is
// "one zero kilometres or more"; CAVOK is the word CAVOK.
QString visibility(const QString& visibility, Phrasing phrasing);
QString weather(const QString& precip);
QString sky(const QString& sky, Phrasing phrasing);
// The sky of a report: with CAVOK and no cloud group, no significant cloud.
QString skyOf(const DecodedMetar& metar, Phrasing phrasing);
QString temperature(const QString& degrees);
// The pressure of a report in the words of its own unit: a Q group is the
// QNH ("Q N H", below 1000 hPa three digits: niner eight two), an A group
// the altimeter (two niner niner two).
QString pressureWord(const DecodedMetar& metar);
QString pressure(const DecodedMetar& metar);
// The runway visual ranges: "R25R/P1500" is runway two five right visual
// range more than one thousand five hundred metres.
QString runwayVisualRange(const QString& groups, Phrasing phrasing);
// What follows the pressure: recent weather, wind shear, the trend
// ("tempo", "becoming", "no significant change"). The state of a runway and
// other groups for the text alone are left out.
QString supplementary(const QString& groups, Phrasing phrasing);
// The decoded elements of a METAR in the order of the report.
QString metar(const DecodedMetar& metar, Phrasing phrasing);
// A flight level: "70" is seven zero, "100" one hundred.
QString level(const QString& level);
// Text as written, with the abbreviations, runway identifiers and the
// groups an ATIS writes spoken: 1650Z, FL70, RWY27, Q1013, A2992, 118.7,
// 24015G25KT.
QString freeText(const QString& text, Phrasing phrasing);
// The words to say after what was said: "sky clear" after "Sky" is "clear",
// so that a label is not said twice.
QString following(const QString& said, const QString& words);

} // namespace Spoken

// The same elements in words for a text that a speech engine reads (a
// profile's text form words), each built where its spoken words are: figures
// whole, in capitals ("270 DEGREES 10 KNOTS", "10 KILOMETERS" for 9999,
// "1653 ZULU", "4 MPS"), the units as the network's texts write them.
namespace Written {

QString time(const QString& observation);
QString wind(const QString& wind, Phrasing phrasing);
QString visibility(const QString& visibility, Phrasing phrasing);
QString weather(const QString& precip);
// With CAVOK and no cloud group, no significant cloud.
QString sky(const DecodedMetar& metar, Phrasing phrasing);
QString temperature(const QString& degrees);
QString pressure(const DecodedMetar& metar);
// The elements in the order of the report, each named: "WIND ...,
// VISIBILITY ..., QNH 1013, NO SIGNIFICANT CHANGE".
QString metar(const DecodedMetar& metar, Phrasing phrasing);

} // namespace Written
