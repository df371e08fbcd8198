#include "serve/generatorreply.h"

#include "core/atischeck.h"
#include "core/composition.h"
#include "core/metarage.h"
#include "core/radarfunctions.h"
#include "net/httpstatustexts.h"
#include "serve/generatortexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QByteArray PlainText = "text/plain; charset=utf-8";
const QByteArray Json = "application/json";

GeneratorReply ok(const QByteArray& contentType, const QByteArray& body, const QString& icao,
                  const QString& informationCode)
{
    return {200, contentType, body, icao, informationCode, {}, {}};
}

QByteArray compact(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// The letter a tool shows: the code word's first letter, D for DELTA.
QString letterOf(const QString& informationCode)
{
    return informationCode.left(1);
}

// The runways the caller names, or the profile's ticked ones when it names
// none: never some of each, which could land one way and depart the other.
// The two flags are the caller's where it sends them.
RunwayUse runwaysOf(const AtisQuery& query, const RunwayUse& ticked)
{
    RunwayUse use = ticked;
    if (query.arrival || query.departure)
        use = {query.arrival.value_or(QStringList()), query.departure.value_or(QStringList())};
    use.visual = query.visual.value_or(ticked.visual);
    use.lahso = query.lahso.value_or(ticked.lahso);
    return use;
}

} // namespace

QByteArray AnswerBytes(const GeneratorReply& reply)
{
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' +
                       standardReasonPhrase(reply.status).toLatin1() +
                       "\r\nContent-Type: " + reply.contentType +
                       "\r\nX-Content-Type-Options: nosniff\r\nCache-Control: no-store\r\n";
    if (reply.status == 405)
        bytes += "Allow: GET\r\n";
    if (reply.findings && !reply.findings->isEmpty()) {
        // A finding may quote the template, line breaks and all.
        QString check = reply.findings->join(QStringLiteral("; "));
        check.replace(u'\r', u' ').replace(u'\n', u' ');
        bytes += "X-Briefcast-Check: " + check.toUtf8() + "\r\n";
    }
    return bytes + "Connection: close\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
           "\r\n\r\n" + reply.body;
}

GeneratorReply RefusalReply(const Refusal& refusal, const QString& icao,
                            const QString& informationCode)
{
    QString line = refusal.reason;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return {refusal.status, PlainText, line.toUtf8(), icao, informationCode, line, {}};
}

GeneratorReply AtisReply(const AtisQuery& query, const NamedProfile& profile,
                         const DecodedMetar& metar, const QDateTime& now)
{
    Profile airport = profile.profile;
    airport.icao = airport.icao.trimmed().toUpper();
    const QString& icao = airport.icao;
    const AtisInputs inputs{.profile = airport,
                            .profileName = profile.name,
                            .informationCode = query.informationCode,
                            .metar = metar,
                            .runwaysAskedFor = runwaysOf(query, airport.runwayUse()),
                            .approach = query.approach,
                            .remarks = query.remarks};

    const auto composed = ComposeAtis(inputs);
    if (const Failure* failure = std::get_if<Failure>(&composed))
        return RefusalReply({422, failure->description}, icao, query.informationCode);
    const ComposedAtis& atis = std::get<ComposedAtis>(composed);

    // The caller puts the reply on the air as it is: the radar client's
    // functions it would have filled from atis.txt are filled here. The
    // voice form has none of them.
    const auto filled = FillRadarFunctions(atis.text, atis.values);
    const FilledAtis* written = std::get_if<FilledAtis>(&filled);
    if (!written && query.format != AtisQuery::Format::Voice)
        return RefusalReply({422, std::get<Failure>(filled).description}, icao,
                            query.informationCode);
    QStringList findings;
    for (const QString& function : written ? written->unfilled : QStringList())
        findings << GeneratorTexts::NotFilled(function);
    // The reply travels as UTF-8 and is written to no atis.txt: no code page
    // to check.
    const std::optional<qint64> age = MetarAgeMinutes(atis.values.metar.ObservationTime, now);
    findings << CheckAtis({atis, inputs.runways(), icao, age, {}});

    GeneratorReply reply;
    if (query.format == AtisQuery::Format::Voice) {
        reply = ok(PlainText, atis.spoken().toUtf8(), icao, query.informationCode);
    } else if (query.format == AtisQuery::Format::Text) {
        reply = ok(PlainText, written->text.toUtf8(), icao, query.informationCode);
    } else {
        const QJsonObject runways{
            {QStringLiteral("arrival"), QJsonArray::fromStringList(inputs.runways().landing)},
            {QStringLiteral("departure"), QJsonArray::fromStringList(inputs.runways().departing)}};
        reply = ok(Json,
                   compact({{QStringLiteral("airport"), icao},
                            {QStringLiteral("letter"), letterOf(query.informationCode)},
                            {QStringLiteral("time"), atis.values.metar.ObservationTime},
                            {QStringLiteral("text"), written->text},
                            {QStringLiteral("spoken"), atis.spoken()},
                            {QStringLiteral("metar"), atis.values.metar.Metar},
                            {QStringLiteral("runways"), runways},
                            {QStringLiteral("warnings"), QJsonArray::fromStringList(findings)}}),
                   icao, query.informationCode);
    }
    reply.findings = findings;
    return reply;
}

GeneratorReply CurrentAtisReply(const std::optional<WindowAtis>& atis, const QDateTime& now)
{
    if (!atis)
        return RefusalReply({404, GeneratorTexts::NoAtisYet});
    const std::optional<qint64> age = MetarAgeMinutes(atis->observationTime, now);
    return ok(
        Json,
        compact({{QStringLiteral("airport"), atis->icao},
                 {QStringLiteral("letter"), letterOf(atis->informationCode)},
                 {QStringLiteral("time"), atis->observationTime},
                 {QStringLiteral("ageMinutes"), age ? QJsonValue(double(*age)) : QJsonValue()},
                 {QStringLiteral("text"), atis->text},
                 {QStringLiteral("metar"), atis->metar},
                 {QStringLiteral("autoUpdate"), atis->autoUpdating}}),
        atis->icao, atis->informationCode);
}
