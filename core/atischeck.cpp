#include "core/atischeck.h"

#include "core/atisfile.h"
#include "core/metarage.h"
#include "core/texts.h"

#include <QRegularExpression>
#include <QtMath>
#include <algorithm>

namespace {

using Texts::UserText;

// The findings, defined once.
constexpr UserText NotAVariable{QT_TRANSLATE_NOOP("Texts", "Not a variable: %1")};
constexpr UserText Tailwind{QT_TRANSLATE_NOOP("Texts", "Tailwind %1 kt on runway %2")};
constexpr UserText Crosswind{QT_TRANSLATE_NOOP("Texts", "Crosswind %1 kt on runway %2")};
constexpr UserText VariableWind{
    QT_TRANSLATE_NOOP("Texts", "Variable wind %1 kt: tailwind possible on runway %2")};
constexpr UserText OppositeDirections{
    QT_TRANSLATE_NOOP("Texts", "Runways in opposite directions: %1 and %2")};
constexpr UserText NoRunwayTicked{QT_TRANSLATE_NOOP("Texts", "No runway ticked for %runways%")};
constexpr UserText OtherStation{QT_TRANSLATE_NOOP("Texts", "METAR is for %1, not %2")};
constexpr UserText NotInCodePage{
    QT_TRANSLATE_NOOP("Texts", "Sent as \"?\" to the radar client: %1")};
constexpr UserText ReadWronglyAloud{QT_TRANSLATE_NOOP("Texts", "Read wrongly aloud: %1")};
constexpr UserText NoTransitionLevel{
    QT_TRANSLATE_NOOP("Texts", "%tl% is empty: no transition level table or no QNH")};
constexpr UserText NoLevelForQnh{
    QT_TRANSLATE_NOOP("Texts", "No transition level for QNH %1 hPa in this profile's table")};
// Followed by what the transition level dialog would refuse the table for.
constexpr UserText UnusableTable{QT_TRANSLATE_NOOP("Texts", "Transition level table: %1")};
constexpr UserText CheckHeading{QT_TRANSLATE_NOOP("Texts", "Check:")};

// The wind of a report, as the runways feel it.
struct Wind
{
    std::optional<int> from; // degrees; none for a variable wind
    // The sector it varies in, clockwise from the first to the second.
    std::optional<std::pair<int, int>> sector;
    double knots = 0; // the gust, where there is one
};

std::optional<Wind> windOf(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral("^([0-9]{3}|VRB)([0-9]{2,3})(?:G([0-9]{2,3}))?(KT|KTS|MPS)"
                       "(?: ([0-9]{3})V([0-9]{3}))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    Wind wind;
    if (m.captured(1).toUpper() != QLatin1String("VRB"))
        wind.from = m.captured(1).toInt();
    if (m.hasCaptured(5))
        wind.sector = std::pair{m.captured(5).toInt(), m.captured(6).toInt()};
    const bool mps = m.captured(4).toUpper() == QLatin1String("MPS");
    const double toKnots = mps ? 3600.0 / 1852.0 : 1.0;
    wind.knots = std::max(m.captured(2).toInt(), m.captured(3).toInt()) * toKnots;
    return wind;
}

// A runway's heading from its number: 4R is 040, 36 is 360. None for an
// identifier without a number up to 36.
std::optional<int> headingOf(const QString& runway)
{
    static const QRegularExpression number(QStringLiteral("^([0-9]{1,2})"));
    const QRegularExpressionMatch m = number.match(runway.trimmed());
    const int n = m.hasMatch() ? m.captured(1).toInt() : -1;
    if (n < 0 || n > 36)
        return std::nullopt;
    return n * 10;
}

// The strongest tail- and crosswind over every direction the wind blows from.
std::pair<int, int> worstComponents(const Wind& wind, int heading)
{
    QList<int> directions{*wind.from};
    if (wind.sector) {
        const auto [first, last] = *wind.sector;
        const auto within = [&](int d) {
            return (d - first + 720) % 360 <= (last - first + 720) % 360;
        };
        directions << first << last;
        for (int d : {heading + 180, heading + 90, heading + 270})
            if (within(d % 360))
                directions << d % 360;
    }
    double tail = 0, cross = 0;
    for (int d : directions) {
        const double angle = qDegreesToRadians(double(d - heading));
        tail = std::max(tail, -wind.knots * std::cos(angle));
        cross = std::max(cross, std::abs(wind.knots * std::sin(angle)));
    }
    return {qRound(tail), qRound(cross)};
}

QStringList windFindings(const AtisCheckInputs& in)
{
    const std::optional<Wind> wind = windOf(in.atis.values.metar.Wind);
    if (!wind)
        return {};
    QStringList runways = in.runways.landing;
    for (const QString& runway : in.runways.departing)
        if (!runways.contains(runway))
            runways << runway;
    QStringList found;
    for (const QString& runway : runways) {
        const std::optional<int> heading = headingOf(runway);
        if (!heading)
            continue;
        // A variable wind may blow from anywhere: from behind too.
        if (!wind->from) {
            if (qRound(wind->knots) > TailwindLimitKt)
                found << QString(VariableWind).arg(QString::number(qRound(wind->knots)), runway);
            continue;
        }
        const auto [tail, cross] = worstComponents(*wind, *heading);
        if (tail > TailwindLimitKt)
            found << QString(Tailwind).arg(QString::number(tail), runway);
        if (cross > CrosswindLimitKt)
            found << QString(Crosswind).arg(QString::number(cross), runway);
    }
    return found;
}

// A landing and a departing runway more than 90 degrees apart: arrivals
// and departures head-on, which no controller puts on the air.
QStringList oppositeRunways(const RunwayUse& runways)
{
    QStringList found;
    for (const QString& landing : runways.landing) {
        for (const QString& departing : runways.departing) {
            const std::optional<int> a = headingOf(landing), b = headingOf(departing);
            const int apart = a && b ? std::abs(*a - *b) : 0;
            if (std::min(apart, 360 - apart) > 90)
                found << QString(OppositeDirections).arg(landing, departing);
        }
    }
    return found;
}

// %-words left in the text that no variable has: a typo such as %wnd%.
QStringList unknownVariables(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("%[A-Za-z][A-Za-z0-9_]*%"));
    QStringList unknown;
    QRegularExpressionMatchIterator it = word.globalMatch(text);
    while (it.hasNext()) {
        const QString name = it.next().captured();
        const auto& variables = TemplateVariables();
        const bool known = std::any_of(variables.begin(), variables.end(),
                                       [&](const TemplateVariable& v) { return v.name == name; });
        if (!known && !unknown.contains(name))
            unknown << name;
    }
    return unknown;
}

// The characters the radar client's code page cannot hold, once each.
QStringList unencodable(const QString& text, const QString& encoding)
{
    if (encoding.isEmpty())
        return {};
    // An unknown code page is told when atis.txt is written.
    const std::optional<QByteArray> bytes = EncodeForATISFile(text, encoding);
    if (!bytes || bytes->count('?') == text.count(u'?'))
        return {};
    QStringList lost;
    for (const char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        if (c >= 0x80 && !lost.contains(character) &&
            EncodeForATISFile(character, encoding) == QByteArray("?"))
            lost << character;
    }
    return lost;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QRegularExpression anchored(const char* pattern)
{
    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QLatin1String(pattern)),
                              QRegularExpression::CaseInsensitiveOption);
}

// A word of the spoken ATIS a speech engine reads as meant though it mixes
// letters and digits: an ordinal (2nd, 3RD). The spoken form has said every
// other group an ATIS writes; what is left is read letter by letter or worse.
bool isReadAloudRightly(const QString& word)
{
    static const QRegularExpression ordinal = anchored("[0-9]+(?:ST|ND|RD|TH)");
    bool letter = false, digit = false;
    for (QChar c : word) {
        digit = digit || isAsciiDigit(c);
        letter = letter || c.isLetter();
    }
    return !letter || !digit || ordinal.match(word).hasMatch();
}

} // namespace

QStringList WordsReadWronglyAloud(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z0-9/]+"));
    QStringList wrong;
    QRegularExpressionMatchIterator it = word.globalMatch(text);
    while (it.hasNext()) {
        const QString w = it.next().captured();
        if (!isReadAloudRightly(w) && !wrong.contains(w))
            wrong << w;
    }
    return wrong;
}

QStringList CheckAtis(const AtisCheckInputs& in)
{
    const ComposedAtis& atis = in.atis;
    QStringList found;
    const QString station = MetarStation(atis.values.metar);
    const QString requested = in.requestedIcao.trimmed().toUpper();
    if (!requested.isEmpty() && !station.isEmpty() && station != requested)
        found << QString(OtherStation).arg(station, requested);
    if (in.ageMinutes && IsStaleAge(*in.ageMinutes))
        found << StaleText(*in.ageMinutes);
    found << windFindings(in);
    found << oppositeRunways(in.runways);
    if (in.runways.landing.isEmpty() && in.runways.departing.isEmpty() &&
        atis.templateText.contains(u"%runways%"))
        found << NoRunwayTicked;
    for (const QString& name : unknownVariables(atis.text))
        found << QString(NotAVariable).arg(name);
    if (atis.templateText.contains(u"%tl%") && atis.values.transitionLevel.isEmpty()) {
        found << (atis.qnhHpa && !atis.transitionLevels.isEmpty()
                      ? QString(NoLevelForQnh).arg(*atis.qnhHpa)
                      : QString(NoTransitionLevel));
    }
    // A table edited by hand is held to what the dialog holds it to, and
    // named until it is mended.
    if (const QStringList problems = TransitionLevelTableProblems(atis.transitionLevels);
        !problems.isEmpty())
        found << QString(UnusableTable).arg(problems.join(QStringLiteral("; ")));
    if (const QStringList lost = unencodable(atis.text, in.atisFileEncoding); !lost.isEmpty())
        found << QString(NotInCodePage).arg(lost.join(u' '));
    // What the voice reads: the remarks of a METAR and the radar client's
    // own functions are not.
    if (const QStringList misread = WordsReadWronglyAloud(atis.spoken()); !misread.isEmpty())
        found << QString(ReadWronglyAloud).arg(misread.join(QStringLiteral(", ")));
    return found;
}

QString CheckBlock(const QStringList& findings)
{
    if (findings.isEmpty())
        return QString();
    return Texts::CrLf + Texts::CrLf + QString(CheckHeading) + Texts::CrLf +
           findings.join(Texts::CrLf);
}
