#include "discovery.h"

#include "asciiregex.h"
#include "atisform.h"
#include "dialogs.h"
#include "nettexts.h"
#include "sessionstate.h"
#include "textfetcher.h"
#include "texts.h"

#include <QRandomGenerator>
#include <cmath>

QString StatusFileURL()
{
    const QString custom = qEnvironmentVariable("BRIEFCAST_STATUS_URL");
    return custom.isEmpty() ? QStringLiteral("https://status.vatsim.net/status.txt") : custom;
}

float SystemRandomDraw()
{
    // 24 random bits give every float step of [0, 1) and never 1 itself.
    return float(QRandomGenerator::system()->bounded(1u << 24)) / float(1u << 24);
}

bool DiscoverMetarServer(TextFetcher& fetcher, AtisForm& form, Dialogs& dialogs, SessionState& state,
                         const RandomDraw& draw)
{
    const QString crlf = QStringLiteral("\r\n");
    form.setAtisText(NetTexts::RetrievingListing + crlf);
    const TextFetcher::Result reply = fetcher.fetch(StatusFileURL());
    if (const Failure* failure = std::get_if<Failure>(&reply)) {
        dialogs.message(NetTexts::ListingError + crlf + crlf + QStringLiteral("(%1) ").arg(failure->number)
                            + failure->description + crlf + crlf + NetTexts::Exiting,
                        Texts::ErrorTitle, Dialogs::Icon::Critical, Dialogs::Buttons::OK);
        return false;
    }
    form.setAtisText(form.atisText() + NetTexts::ExtractingUrl + crlf);

    static const AsciiRegex pattern(MetarServerListPattern, AsciiRegex::IgnoreCase | AsciiRegex::Multiline);
    QString candidates;
    for (const AsciiRegex::Match& match : pattern.allMatches(std::get<QString>(reply)))
        candidates += QLatin1Char(' ') + match.groups.value(1);
    if (candidates.isEmpty()) {
        dialogs.message(NetTexts::NoServerUrls, Texts::ErrorTitle, Dialogs::Icon::Critical,
                        Dialogs::Buttons::OK);
        return false;
    }

    // Every capture begins with "http": the only leading space is the first.
    const QStringList entries = candidates.mid(1).split(QLatin1Char(' '));
    const double r = draw();
    const qsizetype index = qBound(qsizetype(0), qsizetype(std::floor(r * double(entries.size()))),
                                   entries.size() - 1);
    QString chosen = entries.at(index);
    chosen.remove(QLatin1Char('\r'));
    chosen.remove(QLatin1Char('\n'));
    state.MetarServerURL = chosen;
    form.setAtisText(QString());
    return true;
}
