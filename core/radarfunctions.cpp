#include "core/radarfunctions.h"

#include "core/phrases.h"
#include "core/template.h"

#include <QRegularExpression>

const QString RadarFunctionPattern = QStringLiteral("\\$([A-Za-z0-9_]+)(?:\\(([^()]*)\\))?");

const QList<RadarFunction>& KnownRadarFunctions()
{
    using M = const DecodedMetar&;
    static const QList<RadarFunction> table{
        {u"wind", [](M m) { return m.Wind; },
         [](M m, Phrasing p) { return Spoken::wind(m.Wind, p); }},
        {u"altim", [](M m) { return m.Altimeter; },
         [](M m, Phrasing) { return Spoken::pressure(m); }},
        {u"metar", [](M m) { return m.Metar; },
         [](M m, Phrasing p) { return Spoken::metar(m, p); }},
    };
    return table;
}

const RadarFunction* KnownRadarFunction(QStringView name, QStringView argument, const QString& icao)
{
    if (icao.isEmpty() || argument.trimmed().compare(icao, Qt::CaseInsensitive) != 0)
        return nullptr;
    for (const RadarFunction& function : KnownRadarFunctions()) {
        if (name.compare(function.name, Qt::CaseInsensitive) == 0)
            return &function;
    }
    return nullptr;
}

std::variant<FilledAtis, Failure> FillRadarFunctions(const QString& atis, const QString& icao,
                                                     const DecodedMetar& finished)
{
    static const QRegularExpression pattern(RadarFunctionPattern);
    FilledAtis filled;
    qsizetype at = 0;
    for (const QRegularExpressionMatch& call : pattern.globalMatch(atis)) {
        filled.text += QStringView(atis).mid(at, call.capturedStart() - at);
        at = call.capturedEnd();
        if (const RadarFunction* known =
                KnownRadarFunction(call.capturedView(1), call.capturedView(2), icao)) {
            filled.text += known->written(finished);
        } else {
            filled.text += call.capturedView();
            if (!filled.unfilled.contains(call.captured()))
                filled.unfilled.append(call.captured());
        }
        // Checked as it grows: a METAR inserted many times could pass any
        // bound a caller would keep.
        if (filled.text.size() > MaxAtisLength)
            return AtisTooLong();
    }
    filled.text += QStringView(atis).mid(at);
    if (filled.text.size() > MaxAtisLength)
        return AtisTooLong();
    return filled;
}
