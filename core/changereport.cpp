#include "core/changereport.h"

QString BuildChangeList(const AtisElements& current, const AtisElements& previous,
                        const QString& lastMetarKey)
{
    if (lastMetarKey.isEmpty())
        return QString();
    QString list;
    const auto compare = [&list](const QString& now, const QString& before, QStringView label) {
        if (now != before)
            list += label;
    };
    compare(current.Wind, previous.Wind, u", winds");
    compare(current.Visibility, previous.Visibility, u", visibility");
    compare(current.Sky, previous.Sky, u", sky cond");
    compare(current.Precip, previous.Precip, u", precip");
    compare(current.Altimeter, previous.Altimeter, u", altimeter");
    compare(current.Temperature, previous.Temperature, u", temp");
    compare(current.DewPoint, previous.DewPoint, u", dewpoint");
    if (list.isEmpty())
        return QString();
    return QStringLiteral("\r\n\r\nChanged: ") + list.mid(2) + u'.';
}

QString NewAtisPrompt(const QString& informationCode, const QString& wind, const QString& altimeter,
                      const QString& visibility, const QString& sky, const QString& changeLine)
{
    return QStringLiteral("ATIS ") + informationCode + QStringLiteral(" now current.\r\n\r\n") +
           QStringLiteral("Winds: ") + wind + QStringLiteral("\r\nAltimeter: ") + altimeter +
           QStringLiteral("\r\nVisibility: ") + visibility + QStringLiteral("\r\nSky: ") + sky +
           changeLine + QStringLiteral("\r\n\r\nPress OK to copy to clipboard.");
}
