#include "template.h"

#include <array>
#include <utility>

QString ExpandTemplate(const QString& templateText, const TemplateValues& v)
{
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
    for (const auto& [name, value] : variables)
        text.replace(name.toString(), *value, Qt::CaseSensitive);
    return text;
}
