#pragma once

#include "core/metar.h"
#include "core/template.h"

#include <QList>
#include <QPair>
#include <QString>

// The ATIS as a pilot hears it: the words a speech engine reads aloud, built
// from the same template and values as the written ATIS. Digits are spoken
// one by one (nine as "niner"), heights in thousands and hundreds, the code
// letter as its phonetic word, times with "Zulu". Pure and total: any text
// gives words, an element it cannot read is spoken as written.
namespace Spoken {

// The abbreviations free text may hold, with the words spoken for them;
// matched as whole words in any letter case.
extern const QList<QPair<QString, QString>> Abbreviations;

QString digits(QStringView text);             // "2992": two niner niner two
QString letters(QStringView text);            // "KSEA": Kilo Sierra Echo Alpha
QString informationCode(const QString& code); // "X-RAY" or "X": X-ray
QString time(const QString& observation);     // "121653Z": one six five three Zulu
QString runway(const QString& id);            // "16L": one six left
QString wind(const QString& wind);
QString visibility(const QString& visibility);
QString weather(const QString& precip);
QString sky(const QString& sky);
// The sky of a report: with CAVOK and no cloud group, no significant cloud.
QString skyOf(const DecodedMetar& metar);
QString temperature(const QString& degrees);
QString altimeter(const QString& altimeter);
// The decoded elements of a METAR in the order of the report.
QString metar(const DecodedMetar& metar);
// Text as written, with the abbreviations and runway identifiers spoken.
QString freeText(const QString& text);

} // namespace Spoken

// The spoken form of ExpandTemplate's result: each %-variable spoken from its
// value; the radar client's $wind(), $altim() and $metar() of the current
// airport spoken from the decoded values; every other $-function left out,
// since only the radar client can fill it; each line one sentence.
QString SpeakTemplate(const QString& templateText, const TemplateValues& values);

// The words of a written ATIS a speech engine would read wrongly: each word
// that mixes letters and digits and is none of the forms ATIS speech reads
// aloud (a runway, a time, a frequency, a level, a group of a METAR), once,
// in the order found. "Y3" and "3MM" are; "16L", "1650Z", "FL70",
// "24015G25KT", "M1/4SM", "R25R/P1500" and "BKN012CB" are not. A word with
// slashes passes when it is one group or when each of its parts passes.
QStringList WordsReadWronglyAloud(const QString& text);
