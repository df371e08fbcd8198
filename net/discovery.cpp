#include "net/discovery.h"

#include "core/textfetcher.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QUrl>
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

QString JsonStatusURL(const QString& statusFileUrl)
{
    QUrl url(statusFileUrl);
    QString path = url.path();
    const QString textName = QStringLiteral("status.txt");
    if (path.endsWith(QLatin1Char('/') + textName) || path == textName)
        path = path.left(path.size() - textName.size()) + QStringLiteral("status.json");
    url.setPath(path);
    return url.toString();
}

namespace {

// Ignore case, and ^ and $ at every line break: CR, LF or CR LF.
QRegularExpression statusLinePattern(const QString& pattern)
{
    return QRegularExpression(QStringLiteral("(*ANYCRLF)") + pattern,
                              QRegularExpression::CaseInsensitiveOption |
                                  QRegularExpression::MultilineOption);
}

bool isHttpAddress(const QString& text)
{
    return text.size() > 4 && text.startsWith(QLatin1String("http"), Qt::CaseInsensitive);
}

QStringList httpAddresses(const QJsonValue& value)
{
    const QJsonArray entries = value.isArray() ? value.toArray() : QJsonArray{value};
    QStringList addresses;
    for (const QJsonValue& entry : entries)
        if (isHttpAddress(entry.toString()))
            addresses.append(entry.toString());
    return addresses;
}

// A move of the status file is followed only to an address at least as safe.
bool mayMove(const QString& from, const QString& to)
{
    const auto isHttps = [](const QString& url) {
        return QUrl(url).scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    };
    return QUrl(to).isValid() && (!isHttps(from) || isHttps(to));
}

// The text status file, at the address its moveto0= lines lead to.
TextFetcher::Result fetchTextStatus(TextFetcher& fetcher)
{
    static const QRegularExpression moved = statusLinePattern(StatusMovedPattern);
    QString url = StatusFileURL();
    TextFetcher::Result reply = fetcher.fetch(url);
    for (int move = 0; move < MaxStatusMoves; ++move) {
        const QString* text = std::get_if<QString>(&reply);
        const QRegularExpressionMatch match = text ? moved.match(*text) : QRegularExpressionMatch();
        if (!match.hasMatch())
            break;
        QString next = match.captured(1);
        next.remove(QLatin1Char('\r'));
        next.remove(QLatin1Char('\n'));
        if (!mayMove(url, next))
            break;
        url = next;
        reply = fetcher.fetch(url);
    }
    return reply;
}

// The text form's candidates: one text with each value after a space, then
// split at single spaces, so a value with a space counts as several.
QStringList textCandidates(const QString& status)
{
    static const QRegularExpression pattern = statusLinePattern(MetarServerListPattern);
    QString candidates;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(status))
        candidates += QLatin1Char(' ') + match.captured(1);
    if (candidates.isEmpty())
        return {};
    // Every capture begins with "http": the only leading space is the first.
    return candidates.mid(1).split(QLatin1Char(' '));
}

} // namespace

std::optional<JsonStatus> ParseJsonStatus(const QString& text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject status = document.object();
    return JsonStatus{
        httpAddresses(status.value(QLatin1String("metar"))),
        httpAddresses(status.value(QLatin1String("data")).toObject().value(QLatin1String("v3")))};
}

MetarServerListing ReadMetarServerListing(TextFetcher& fetcher,
                                          const std::function<void()>& textFileRead)
{
    MetarServerListing listing;
    const TextFetcher::Result reply = fetchTextStatus(fetcher);
    if (const Failure* failure = std::get_if<Failure>(&reply)) {
        listing.textFailure = *failure;
    } else {
        if (textFileRead)
            textFileRead();
        listing.servers = textCandidates(std::get<QString>(reply));
    }
    if (listing.servers.isEmpty()) {
        const TextFetcher::Result json = fetcher.fetch(JsonStatusURL(StatusFileURL()));
        if (const QString* text = std::get_if<QString>(&json))
            if (const std::optional<JsonStatus> status = ParseJsonStatus(*text))
                listing.servers = status->metar;
    }
    return listing;
}

QString ChooseMetarServer(const QStringList& servers, const RandomDraw& draw)
{
    const double r = draw();
    const qsizetype index =
        qBound(qsizetype(0), qsizetype(std::floor(r * double(servers.size()))), servers.size() - 1);
    QString chosen = servers.at(index);
    chosen.remove(QLatin1Char('\r'));
    chosen.remove(QLatin1Char('\n'));
    return chosen;
}
