#pragma once

#include "core/failure.h"
#include "core/template.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <variant>

// The radar client's own $-functions, as it finds them in an ATIS: "$" and
// a name, with or without "(argument)". Group 1 is the name, group 2 the
// argument.
extern const QString RadarFunctionPattern;

// A function whose value Briefcast knows for its own airport: the value of
// the variable it names, written and spoken as the variable's.
struct RadarFunction
{
    QStringView name;     // without "$", compared in any letter case
    QStringView variable; // %wind%...
};

// $wind(), $altim() and $metar(): the only functions Briefcast can fill.
const QList<RadarFunction>& KnownRadarFunctions();

// The variable of the known function called with this name and argument for
// the airport, or null: the argument must name the airport (any letter case,
// blanks around it ignored).
const TemplateVariable* KnownRadarFunction(QStringView name, QStringView argument,
                                           const QString& icao);

// An ATIS for a caller that does not expand the radar client's functions:
// the known ones of the airport are filled with Briefcast's decoded values
// (in the text form of the values), every other stays as written and is
// listed once, as written, in unfilled.
struct FilledAtis
{
    QString text;
    QStringList unfilled;
};
// Fails, as the expansion does, when the text would grow longer than
// MaxAtisLength.
std::variant<FilledAtis, Failure> FillRadarFunctions(const QString& atis,
                                                     const TemplateValues& values);
