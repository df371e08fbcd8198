#include "core/runwayphrase.h"

#include "core/atisform.h"

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

QString BuildRunwayPhrase(const AtisForm& form)
{
    QStringList landing;
    QStringList departing;
    for (int row = 0; row < form.runwayCount(); ++row) {
        if (form.arrivingTicked(row))
            landing.append(form.runwayId(row));
        if (form.departingTicked(row))
            departing.append(form.runwayId(row));
    }
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
    if (form.visualTicked())
        phrase += QStringLiteral("Visual approaches in use. ");
    if (form.lahsoTicked())
        phrase += QStringLiteral("LAHSOs in effect.");
    else if (!phrase.isEmpty())
        phrase.chop(1);
    return phrase;
}
