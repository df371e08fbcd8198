#include "core/radarfunctions.h"

#include "core/template.h"

#include <QRegularExpression>

const QString RadarFunctionPattern = QStringLiteral("\\$([A-Za-z0-9_]+)(?:\\(([^()]*)\\))?");

const QList<RadarFunction>& KnownRadarFunctions()
{
    static const QList<RadarFunction> table{
        {u"wind", u"%wind%"}, {u"altim", u"%altim%"}, {u"metar", u"%metar%"}};
    return table;
}

const TemplateVariable* KnownRadarFunction(QStringView name, QStringView argument,
                                           const QString& icao)
{
    if (icao.isEmpty() || argument.trimmed().compare(icao, Qt::CaseInsensitive) != 0)
        return nullptr;
    for (const RadarFunction& function : KnownRadarFunctions()) {
        if (name.compare(function.name, Qt::CaseInsensitive) != 0)
            continue;
        for (const TemplateVariable& variable : TemplateVariables())
            if (variable.name == function.variable)
                return &variable;
    }
    return nullptr;
}

std::variant<FilledAtis, Failure> FillRadarFunctions(const QString& atis,
                                                     const TemplateValues& values)
{
    static const QRegularExpression pattern(RadarFunctionPattern);
    FilledAtis filled;
    qsizetype at = 0;
    for (const QRegularExpressionMatch& call : pattern.globalMatch(atis)) {
        filled.text += QStringView(atis).mid(at, call.capturedStart() - at);
        at = call.capturedEnd();
        if (const TemplateVariable* known =
                KnownRadarFunction(call.capturedView(1), call.capturedView(2), values.icao)) {
            filled.text += WrittenValue(*known, values);
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
