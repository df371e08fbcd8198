#pragma once

#include "core/failure.h"
#include "core/metar.h"
#include "core/phrasing.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <variant>

// Everything a template may name, read at the moment of expansion.
struct TemplateValues
{
    QString icao;            // txtICAO as typed
    QString informationCode; // the text of the selected code, e.g. ALPHA
    DecodedMetar metar;      // after FinishAltimeterAndVisibility
    QString runways;         // the runway phrase
    QString profile;         // the current profile, empty when none
    // What a radar client's ATIS-maker call names; empty in the window's own cycle.
    QString approach; // the approach in use: ILS, VOR, NDB, LOC, VIS
    QString remarks;
    // The transition level from the profile's table and the report's QNH
    // (e.g. 70); empty without a table or a QNH.
    QString transitionLevel;
    // What the profile's ATIS is for: "ARRIVAL", "DEPARTURE" or empty (combined).
    QString atisType;
    // The words the ATIS is spoken in, and the form its text gives the
    // report's elements in.
    Phrasing phrasing = Phrasing::Faa;
    TextForm textForm = TextForm::Groups;
};

// One %-variable: its name as a template writes it, and its value in the
// written and in the spoken ATIS; for an element of the report, also in the
// written words of the text form words, and the names the voice knows it by:
// the first is said before its value unless the template has just said one
// of them ("%wind%" is "wind two seven zero...", "Winds %wind%" names it).
struct TemplateVariable
{
    QStringView name;
    QString (*written)(const TemplateValues& values);
    QString (*spoken)(const TemplateValues& values);
    QString (*words)(const TemplateValues& values) = nullptr;
    QStringList (*names)(const TemplateValues& values) = nullptr;
};

// What the variable writes into the text: its words where the text form is
// words and it has them, else its written value.
QString WrittenValue(const TemplateVariable& variable, const TemplateValues& values);

// Every variable, in the order expansion replaces them: a value inserted
// early that holds a later variable is expanded by the later step; the
// profile name, last, never is. No name is a piece of another.
const QList<TemplateVariable>& TemplateVariables();

// The longest ATIS an expansion builds, in characters. A real one is well
// under 2,000; a reply can carry variables in its wind element, and each
// one inserts the whole reply again in a later step.
inline constexpr qsizetype MaxAtisLength = 65536;
inline constexpr int AtisTooLongErrorNumber = 2001;
// The failure of an ATIS that would pass MaxAtisLength.
Failure AtisTooLong();

// Fills the template's %-variables. Colons of the template become blanks
// first (the radar client reads a colon as a field separator); the radar
// client's own $-functions pass through with only our variables inside them
// replaced. A variable with no value takes a blank beside it along, so that
// it leaves no double blank and no blank at a line's start or end. Fails,
// before building it, on an ATIS longer than MaxAtisLength.
std::variant<QString, Failure> ExpandTemplate(const QString& templateText,
                                              const TemplateValues& values);
