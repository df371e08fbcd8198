#include "core/changereport.h"

#include "core/texts.h"

namespace {
using Texts::UserText;
// The elements named in the list of what changed.
constexpr UserText Winds{QT_TRANSLATE_NOOP("Texts", "winds")};
constexpr UserText Visibility{QT_TRANSLATE_NOOP("Texts", "visibility")};
constexpr UserText Sky{QT_TRANSLATE_NOOP("Texts", "sky cond")};
constexpr UserText Precip{QT_TRANSLATE_NOOP("Texts", "precip")};
constexpr UserText Altimeter{QT_TRANSLATE_NOOP("Texts", "altimeter")};
constexpr UserText Temperature{QT_TRANSLATE_NOOP("Texts", "temp")};
constexpr UserText DewPoint{QT_TRANSLATE_NOOP("Texts", "dewpoint")};
constexpr UserText Changed{QT_TRANSLATE_NOOP("Texts", "Changed: %1.")};
// One pass of arg(): a value holding "%1" stays as it is.
constexpr UserText NewAtis{QT_TRANSLATE_NOOP("Texts",
                                             "ATIS %1 now current.\r\n\r\nWinds: %2\r\n"
                                             "Altimeter: %3\r\nVisibility: %4\r\nSky: %5")};
constexpr UserText PressOkToCopy{QT_TRANSLATE_NOOP("Texts", "Press OK to copy to clipboard.")};
} // namespace

QString BuildChangeList(const AtisElements& current, const AtisElements& previous,
                        const QString& lastMetarKey)
{
    if (lastMetarKey.isEmpty())
        return QString();
    QStringList list;
    const auto compare = [&list](const QString& now, const QString& before, UserText label) {
        if (now != before)
            list += label;
    };
    compare(current.Wind, previous.Wind, Winds);
    compare(current.Visibility, previous.Visibility, Visibility);
    compare(current.Sky, previous.Sky, Sky);
    compare(current.Precip, previous.Precip, Precip);
    compare(current.Altimeter, previous.Altimeter, Altimeter);
    compare(current.Temperature, previous.Temperature, Temperature);
    compare(current.DewPoint, previous.DewPoint, DewPoint);
    if (list.isEmpty())
        return QString();
    return QStringLiteral("\r\n\r\n") + Changed.arg(list.join(QStringLiteral(", ")));
}

QString NewAtisPrompt(const QString& informationCode, const QString& wind, const QString& altimeter,
                      const QString& visibility, const QString& sky, const QString& changeLine)
{
    return NewAtis.arg(informationCode, wind, altimeter, visibility, sky) + changeLine +
           QStringLiteral("\r\n\r\n") + PressOkToCopy;
}
