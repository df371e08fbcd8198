#include "serve/atisquery.h"

#include "core/informationcodes.h"
#include "core/metarrequest.h"
#include "core/runwayphrase.h"
#include "serve/generatortexts.h"

#include <QRegularExpression>
#include <QUrlQuery>

namespace {

// What a caller sends is text for the ATIS: a control character in it
// (NUL, BEL, ESC...) would reach the radar client and the speech engine.
// Tabs and line breaks become blanks; the others are dropped.
QString withoutControls(QString value)
{
    value.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
    value.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return value;
}

class Parameters
{
public:
    explicit Parameters(const QString& encoded) : m_raw(encoded)
    {
        // A "+" is a blank in a query; one written as %2B stays a "+".
        m_query.setQuery(QString(encoded).replace(u'+', QStringLiteral("%20")));
    }
    std::optional<QString> value(const QString& name) const
    {
        if (!m_query.hasQueryItem(name))
            return std::nullopt;
        return withoutControls(m_query.queryItemValue(name, QUrl::FullyDecoded));
    }
    QString text(const QString& name) const { return value(name).value_or(QString()).trimmed(); }

    // A METAR has no two blanks in a row: a "+" right after a blank is the
    // sign of a heavy intensity (+RA) that the caller left unencoded.
    QString metar(const QString& name) const
    {
        if (!m_raw.hasQueryItem(name))
            return QString();
        QString decoded;
        const QStringList pieces =
            m_raw.queryItemValue(name, QUrl::FullyEncoded).split(u'+', Qt::KeepEmptyParts);
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                decoded += decoded.endsWith(u' ') ? u'+' : u' ';
            decoded += QUrl::fromPercentEncoding(pieces.at(i).toUtf8());
        }
        return withoutControls(decoded).trimmed();
    }

private:
    QUrlQuery m_raw;
    QUrlQuery m_query;
};

// The runways of a list, in capitals; no value for an empty list.
std::variant<std::optional<QStringList>, Refusal> runways(const Parameters& p, const QString& name)
{
    static const QRegularExpression separators(QStringLiteral("[,:;/\\s]+"));
    static const QRegularExpression runway(RunwayIdPattern);
    const QStringList ids = p.text(name).toUpper().split(separators, Qt::SkipEmptyParts);
    if (ids.isEmpty())
        return std::nullopt;
    for (const QString& id : ids) {
        if (!runway.match(id).hasMatch())
            return Refusal{400, GeneratorTexts::NotARunway(name, id)};
    }
    return ids;
}

std::variant<std::optional<bool>, Refusal> flag(const Parameters& p, const QString& name)
{
    const QString value = p.text(name);
    if (value.isEmpty())
        return std::nullopt;
    if (value == QLatin1String("1") ||
        value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (value == QLatin1String("0") ||
        value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return Refusal{400, GeneratorTexts::NotAFlag(name, value)};
}

} // namespace

std::variant<AtisQuery, Refusal> ParseAtisQuery(const QString& encodedQuery)
{
    const Parameters p(encodedQuery);
    AtisQuery query;
    query.metar = p.metar(QStringLiteral("metar"));
    query.profile = p.value(QStringLiteral("profile")).value_or(QString());
    query.approach = p.text(QStringLiteral("apptype"));
    query.remarks = p.text(QStringLiteral("remarks"));

    query.icao = p.text(QStringLiteral("icao")).toUpper();
    static const QRegularExpression airport(ICAOPattern);
    if (!query.icao.isEmpty() && !airport.match(query.icao).hasMatch())
        return Refusal{400, GeneratorTexts::NotAnAirport(query.icao)};
    if (query.metar.isEmpty() && query.icao.isEmpty() && query.profile.isEmpty())
        return Refusal{400, GeneratorTexts::MissingMetarOrIcao};

    const std::optional<QString> info = p.value(QStringLiteral("info"));
    if (!info || info->trimmed().isEmpty())
        return Refusal{400, GeneratorTexts::MissingParameter(QStringLiteral("info"))};
    const std::optional<QString> word = InformationCodeWord(*info);
    if (!word)
        return Refusal{400, GeneratorTexts::NotAnInformationCode(*info)};
    query.informationCode = *word;

    for (auto [name, list] : {std::pair{QStringLiteral("arr"), &query.arrival},
                              std::pair{QStringLiteral("dep"), &query.departure}}) {
        auto parsed = runways(p, name);
        if (Refusal* refusal = std::get_if<Refusal>(&parsed))
            return *refusal;
        *list = std::get<std::optional<QStringList>>(parsed);
    }
    for (auto [name, value] : {std::pair{QStringLiteral("visual"), &query.visual},
                               std::pair{QStringLiteral("lahso"), &query.lahso}}) {
        auto parsed = flag(p, name);
        if (Refusal* refusal = std::get_if<Refusal>(&parsed))
            return *refusal;
        *value = std::get<std::optional<bool>>(parsed);
    }

    const QString format = p.text(QStringLiteral("format")).toLower();
    if (format == QLatin1String("voice"))
        query.format = AtisQuery::Format::Voice;
    else if (format == QLatin1String("json"))
        query.format = AtisQuery::Format::Json;
    else if (!format.isEmpty() && format != QLatin1String("text"))
        return Refusal{400, GeneratorTexts::UnknownFormat(format)};
    return query;
}

QString AtisMakerUrl(quint16 port)
{
    return QStringLiteral("http://127.0.0.1:%1/atis?icao=$atisairport&info=$atiscode"
                          "&arr=$arrrwy($atisairport)&dep=$deprwy($atisairport)"
                          "&metar=$metar($atisairport)")
        .arg(port);
}

QString ExternalGeneratorUrl(quint16 port)
{
    return QStringLiteral("http://127.0.0.1:%1/atis?metar=$metar&info=$atiscode&arr=$arrrwy"
                          "&dep=$deprwy&apptype=$app&remarks=$remarks")
        .arg(port);
}
