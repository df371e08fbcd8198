#include "core/changereport.h"

#include <QCoreApplication>

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
    return QStringLiteral("\r\n\r\n") +
           QCoreApplication::translate("Texts", "Changed: %1.").arg(list.mid(2));
}

QString NewAtisPrompt(const QString& informationCode, const QString& wind, const QString& altimeter,
                      const QString& visibility, const QString& sky, const QString& changeLine)
{
    // One pass of arg(): a value holding "%1" stays as it is.
    return QCoreApplication::translate("Texts", "ATIS %1 now current.\r\n\r\nWinds: %2\r\n"
                                                "Altimeter: %3\r\nVisibility: %4\r\nSky: %5")
               .arg(informationCode, wind, altimeter, visibility, sky) +
           changeLine + QStringLiteral("\r\n\r\n") +
           QCoreApplication::translate("Texts", "Press OK to copy to clipboard.");
}
