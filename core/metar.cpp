#include "core/metar.h"

#include "core/metarmatcher.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// Trims blanks only: the groups carry their leading blank, and no other
// whitespace is left after the normalisation.
QString trimBlanks(QStringView text)
{
    if (text.isEmpty())
        return QString();
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin).toString();
}

QString joinWithBlank(const QString& first, const QString& second)
{
    if (second.isEmpty())
        return first;
    return first.isEmpty() ? second : first + u' ' + second;
}

QString orDefault(const QString& value, const QString& fallback)
{
    return value.isEmpty() ? fallback : value;
}

// The groups after the pressure up to the remarks, without the report's
// closing "=". A real report has a few; a longer run is cut where the
// pattern's own bound would cut it.
QString supplementaryGroups(QStringView rest)
{
    rest = rest.left(MaxMetarMatchLength);
    QStringList groups;
    for (QStringView group : rest.split(u' ', Qt::SkipEmptyParts)) {
        if (group.compare(u"RMK", Qt::CaseInsensitive) == 0)
            break;
        while (group.endsWith(u'='))
            group.chop(1);
        if (!group.isEmpty())
            groups << group.toString();
    }
    return groups.join(u' ');
}

} // namespace

QString RemoveLineBreaks(const QString& reply)
{
    if (!reply.contains(u'\r') && !reply.contains(u'\n'))
        return reply;
    QString text = reply;
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

namespace {

// Space, tab, line feed, vertical tab, form feed, carriage return: no other
// whitespace counts, a no-break space stays as it is.
bool isAsciiSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

// True when the text holds no whitespace but single blanks: most replies,
// which then need no copy.
bool isCollapsed(QStringView text)
{
    bool previousBlank = false;
    for (QChar c : text) {
        if (isAsciiSpace(c)) {
            if (c != u' ' || previousBlank)
                return false;
            previousBlank = true;
        } else {
            previousBlank = false;
        }
    }
    return true;
}

} // namespace

QString NormaliseMetarReply(const QString& reply)
{
    QString text = RemoveLineBreaks(reply);
    if (isCollapsed(text))
        return text;
    // Whitespace is the ASCII set only: a no-break space stays as it is.
    QString out(text.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    bool inRun = false;
    for (QChar c : std::as_const(text)) {
        if (isAsciiSpace(c)) {
            if (!inRun)
                *dst++ = u' ';
            inRun = true;
        } else {
            *dst++ = c;
            inRun = false;
        }
    }
    out.truncate(dst - out.constData());
    return out;
}

std::optional<DecodedMetar> DecodeMetar(const QString& normalised)
{
    const auto spans = matchMetarPattern(normalised);
    if (!spans)
        return std::nullopt;
    const auto g = [&](int group) {
        const auto [start, length] = spans->at(group);
        return start < 0 ? QStringView() : QStringView(normalised).mid(start, length);
    };

    DecodedMetar m;
    m.Metar = normalised;
    m.ObservationTime = g(1).toString();
    m.Wind = joinWithBlank(trimBlanks(g(2)), trimBlanks(g(3)));
    m.Visibility = trimBlanks(g(4));
    m.Precip = trimBlanks(g(5));
    // The cloud layers come first, though the vertical visibility precedes them.
    m.Sky = joinWithBlank(trimBlanks(g(7)), trimBlanks(g(6)));
    m.Temperature = trimBlanks(g(8));
    m.DewPoint = trimBlanks(g(9));
    m.Altimeter = trimBlanks(g(10));
    if (const QChar letter = m.Altimeter.isEmpty() ? QChar() : m.Altimeter.front().toUpper();
        letter == u'Q' || letter == u'A')
        m.PressureLetter = letter;

    // An automatic station that cannot see the clouds reports "//////"; the
    // weather's run of slashes takes it in, but it is the sky.
    const QString cloudNotObserved = QStringLiteral("//////");
    if (m.Sky.isEmpty() &&
        (m.Precip == cloudNotObserved || m.Precip.endsWith(u' ' + cloudNotObserved))) {
        m.Precip.chop(cloudNotObserved.size());
        m.Precip = trimBlanks(m.Precip);
        m.Sky = cloudNotObserved;
    }
    const auto end = [&](int group) { return spans->at(group).first + spans->at(group).second; };
    qsizetype rvrFrom = end(2);
    for (int group : {3, 4})
        if (spans->at(group).first >= 0)
            rvrFrom = end(group);
    m.RunwayVisualRange = trimBlanks(g(0).mid(rvrFrom, spans->at(5).first - rvrFrom));
    m.Supplementary = supplementaryGroups(QStringView(normalised).mid(end(10)));

    // What the ATIS says of an element missing from the report: English,
    // like the ATIS.
    const QString unknown = QStringLiteral("unknown");
    const QString notReported = QStringLiteral("??");
    m.Wind = orDefault(m.Wind, unknown);
    m.Visibility = orDefault(m.Visibility, unknown);
    m.Sky = orDefault(m.Sky, unknown);
    m.Altimeter = orDefault(m.Altimeter, unknown);
    m.Temperature = orDefault(m.Temperature, notReported);
    m.DewPoint = orDefault(m.DewPoint, notReported);
    return m;
}

void FinishAltimeterAndVisibility(DecodedMetar& metar)
{
    // "^[AQ](\d\d\d\d)" under ignore case and multiline, first match only,
    // replaced by its group: the letter goes, the digits and the rest stay.
    const QString& alt = metar.Altimeter;
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    for (qsizetype p = 0; p + 5 <= alt.size(); ++p) {
        const bool lineStart = p == 0 || alt[p - 1] == u'\n' || alt[p - 1] == u'\r';
        const QChar c = alt[p];
        if (lineStart && (c == u'A' || c == u'a' || c == u'Q' || c == u'q') &&
            isDigit(alt[p + 1]) && isDigit(alt[p + 2]) && isDigit(alt[p + 3]) &&
            isDigit(alt[p + 4])) {
            metar.Altimeter.remove(p, 1);
            break;
        }
    }
    if (metar.Visibility == u"9999 // CAVOK//")
        metar.Visibility = QStringLiteral("CAVOK");
}

std::optional<QString> UnreadableMetarGroup(const DecodedMetar& metar)
{
    // In any letter case, as the pattern reads the report.
    const auto anyCase = QRegularExpression::CaseInsensitiveOption;
    static const QRegularExpression time(QStringLiteral("^([0-9]{2})([0-9]{2})([0-9]{2})Z$"),
                                         anyCase);
    const QRegularExpressionMatch t = time.match(metar.ObservationTime);
    if (!t.hasMatch() || t.captured(1).toInt() < 1 || t.captured(1).toInt() > 31 ||
        t.captured(2).toInt() > 23 || t.captured(3).toInt() > 59)
        return metar.ObservationTime;

    static const QRegularExpression wind(
        QStringLiteral(
            "^(?:([0-9]{3})|VRB)[0-9]{2,3}(?:G[0-9]{2,3})?(?:KT|KTS|MPS)$|^/////(?:KT)?$"),
        anyCase);
    const QString windGroup = metar.Wind.section(u' ', 0, 0);
    const QRegularExpressionMatch w = wind.match(windGroup);
    if (!w.hasMatch() || w.captured(1).toInt() > 360)
        return windGroup;

    static const QRegularExpression qnh(QStringLiteral("^([AQ]) ?([0-9]+)$"), anyCase);
    const QRegularExpressionMatch q = qnh.match(metar.Altimeter);
    const int value = q.captured(2).toInt();
    if (q.hasMatch() && (q.captured(1).toUpper() == u"Q" ? value < 850 || value > 1100
                                                         : value < 2500 || value > 3250))
        return metar.Altimeter;
    return std::nullopt;
}
