#include "core/runwayphrase.h"

#include <QStringList>

namespace {

// "4L", "4L & 4R", "13L, 13R & 22L": only the last pair is joined with " & ".
QString joinRunways(const QStringList& ids)
{
    if (ids.size() <= 1)
        return ids.value(0);
    return ids.mid(0, ids.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" & ") +
           ids.last();
}

} // namespace

QString BuildRunwayPhrase(const RunwayUse& use)
{
    const QStringList& landing = use.landing;
    const QStringList& departing = use.departing;
    const QString landingText = joinRunways(landing);
    const QString departingText = joinRunways(departing);

    QString phrase;
    if (!landingText.isEmpty() && landingText == departingText) {
        phrase = (landing.size() == 1 ? QStringLiteral("Landing & departing runway ")
                                      : QStringLiteral("Landing & departing runways ")) +
                 landingText + QStringLiteral(". ");
    } else {
        if (!landingText.isEmpty())
            phrase += (landing.size() == 1 ? QStringLiteral("Landing rwy ")
                                           : QStringLiteral("Landing rwys ")) +
                      landingText + QStringLiteral(". ");
        if (!departingText.isEmpty())
            phrase += (departing.size() == 1 ? QStringLiteral("Departing rwy ")
                                             : QStringLiteral("Departing rwys ")) +
                      departingText + QStringLiteral(". ");
    }
    if (use.visual)
        phrase += QStringLiteral("Visual approaches in use. ");
    if (use.lahso)
        phrase += QStringLiteral("LAHSOs in effect.");
    else if (!phrase.isEmpty())
        phrase.chop(1);
    return phrase;
}
