#include "core/template.h"

#include <array>
#include <utility>

namespace {

// Occurrences as replace finds them: left to right, without overlap.
qsizetype occurrences(const QString& text, QStringView name)
{
    qsizetype count = 0;
    for (qsizetype at = text.indexOf(name); at >= 0; at = text.indexOf(name, at + name.size()))
        ++count;
    return count;
}

Failure tooLong()
{
    return {AtisTooLongErrorNumber,
            QStringLiteral("The ATIS would be longer than %1 characters.").arg(MaxAtisLength)};
}

} // namespace

std::variant<QString, Failure> ExpandTemplate(const QString& templateText, const TemplateValues& v)
{
    if (templateText.size() > MaxAtisLength)
        return tooLong();
    QString text = templateText;
    text.replace(u':', u' ');

    const DecodedMetar& m = v.metar;
    // In this order: a value inserted early that holds a later variable is
    // expanded by the later step; the profile name, last, never is.
    const std::array<std::pair<QStringView, const QString*>, 21> variables{{
        {u"%icao%", &v.icao},
        {u"%id%", &v.informationCode},
        {u"%time%", &m.ObservationTime},
        {u"%wind%", &m.Wind},
        {u"%winds%", &m.Wind},
        {u"%vis%", &m.Visibility},
        {u"%visibility%", &m.Visibility},
        {u"%sky%", &m.Sky},
        {u"%clouds%", &m.Sky},
        {u"%precip%", &m.Precip},
        {u"%precipitation%", &m.Precip},
        {u"%alt%", &m.Altimeter},
        {u"%altim%", &m.Altimeter},
        {u"%altimeter%", &m.Altimeter},
        {u"%temp%", &m.Temperature},
        {u"%temperature%", &m.Temperature},
        {u"%dew%", &m.DewPoint},
        {u"%dewpoint%", &m.DewPoint},
        {u"%metar%", &m.Metar},
        {u"%runways%", &v.runways},
        {u"%profile%", &v.profile},
    }};
    for (const auto& [name, value] : variables) {
        // Counted only where even the most occurrences the text can hold
        // might pass the limit. 64-bit: a thousand occurrences of a 1 MiB
        // value pass 2^31.
        const qint64 growth = value->size() - name.size();
        const auto fits = [&](qint64 count) {
            return text.size() + count * growth <= MaxAtisLength;
        };
        if (!fits(text.size() / name.size()) && !fits(occurrences(text, name)))
            return tooLong();
        text.replace(name.toString(), *value, Qt::CaseSensitive);
    }
    return text;
}
