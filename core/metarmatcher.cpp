#include "core/metarmatcher.h"

#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The pieces of the pattern after the station and the time, in order. The
// three runs (runway ranges, weather, clouds) are loops: each of their states
// tries one more iteration first and leaves the run last.
enum State
{
    Modifier,  // (?: (?:AUTO|RTD|COR|CCA))?
    Wind,      //  (\S+(?:KT|MPS|KTS)|/////|/////KT)       group 2
    VarDir,    // ( \d+V\d+)?                               group 3
    Vis,       // ( P?M?(?:\d \d/|\d/)?\d+(?:SM|KM|M)?|...)? group 4
    Rvr,       // (?: R\S+FT)?
    RvrRun,    // (?: R\d\d\w?/\S+)*
    Weather,   // ((?: ?(?:\+|\-)?(?:VC|...|//|/))*)        group 5
    VertVis,   // ( VV\d\d\d| VV///)?                       group 6
    Clouds,    // ((?: (?:NCD|...|///)(?:...)?(?:\w{2,3})?)*) group 7
    Temps,     // (?: (M?\d\d|//|XX)/(M?\d\d|//|XX)?)?      groups 8, 9
    Altimeter, // ( (?:(?:Q|A|Q |A )(?:\d+|////|XXXX)|RMK|\d\d\d\.\d)) group 10
    Done,
};

bool isLoop(int state)
{
    return state == RvrRun || state == Weather || state == Clouds;
}

// The two-letter weather codes; at most one of them fits at a position.
constexpr const char* WeatherCodes[] = {
    "vc", "ts", "du", "gr", "fu", "gs", "dz", "mi", "pe", "ra", "sa", "bc", "fz", "pi", "hz", "va",
    "sg", "sh", "fc", "po", "bl", "fg", "sn", "ic", "br", "sq", "ss", "py", "dr", "ds", "up"};
// Whether two ASCII letters, in either case, are one of the weather codes.
bool isWeatherCode(int first, int second)
{
    static const auto table = [] {
        std::array<bool, 26 * 26> codes{};
        for (const char* code : WeatherCodes)
            codes[(code[0] - 'a') * 26 + (code[1] - 'a')] = true;
        return codes;
    }();
    return table[((first | 0x20) - 'a') * 26 + ((second | 0x20) - 'a')];
}

constexpr const char* CloudWords[] = {"ncd", "few", "sct", "bkn",    "ovc", "skc",
                                      "clr", "nsc", "nsw", "//////", "///"};

class Matcher
{
public:
    explicit Matcher(QStringView text) : m_text(text), m_size(text.size()) {}

    std::optional<MetarSpans> match();

private:
    enum Known : quint8
    {
        Unknown = 0,
        Fails = 1,
        Succeeds = 2
    };

    // The code unit at i, or -1 past the end.
    int at(qsizetype i) const { return i < m_size ? int(m_text[i].unicode()) : -1; }
    static bool isDigit(int c) { return c >= '0' && c <= '9'; }
    static bool isLetter(int c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
    static bool isWord(int c) { return isDigit(c) || isLetter(c) || c == '_'; }
    static bool isNonSpace(int c) { return c >= 0 && c != ' ' && !(c >= '\t' && c <= '\r'); }
    bool digits(qsizetype i, int count) const
    {
        for (int k = 0; k < count; ++k) {
            if (!isDigit(at(i + k)))
                return false;
        }
        return true;
    }
    // The literal at i, its letters in either case; literals are lower case.
    bool lit(qsizetype i, const char* literal) const
    {
        for (; *literal; ++literal, ++i) {
            const int c = at(i);
            if ((isLetter(c) ? (c | 0x20) : c) != *literal)
                return false;
        }
        return true;
    }
    qsizetype digitRun(qsizetype i) const
    {
        qsizetype end = i;
        while (isDigit(at(end)))
            ++end;
        return end - i;
    }
    qsizetype nonSpaceRun(qsizetype i) const
    {
        qsizetype end = i;
        while (isNonSpace(at(end)))
            ++end;
        return end - i;
    }
    // M?\d\d|//|XX: the length matched at i, 0 for none.
    qsizetype temperatureLength(qsizetype i) const
    {
        if (lit(i, "m") && digits(i + 1, 2))
            return 3;
        return digits(i, 2) || lit(i, "//") || lit(i, "xx") ? 2 : 0;
    }

    Known known(int state, qsizetype pos) const
    {
        const qsizetype index = pos * Done + state;
        return Known((m_memo[index / 4] >> (index % 4 * 2)) & 3);
    }
    void remember(int state, qsizetype pos, Known value)
    {
        const qsizetype index = pos * Done + state;
        m_memo[index / 4] |= quint8(value << (index % 4 * 2));
    }

    template <class F> bool forEach(int state, qsizetype p, F&& f);
    bool succeeds(int state, qsizetype pos);
    bool loopSucceeds(int state, qsizetype pos);

    QStringView m_text;
    qsizetype m_size;
    QVarLengthArray<quint8, 1024> m_memo;
    // For each run, the positions it can reach: one bit a position.
    QVarLengthArray<quint64, 4> m_reach[3];
};

// Calls f(end, mid) for every way the state's piece can match at p, in the
// order a backtracking engine tries them; mid is the slash between the
// temperatures, -1 elsewhere. For a loop, the ways are one more iteration.
// Stops and returns true as soon as f does.
template <class F> bool Matcher::forEach(int state, qsizetype p, F&& f)
{
    const auto each = [&](qsizetype end) { return f(end, qsizetype(-1)); };
    switch (state) {
    case Modifier:
        for (const char* word : {" auto", " rtd", " cor", " cca"}) {
            if (lit(p, word) && each(p + qsizetype(strlen(word))))
                return true;
        }
        return each(p);
    case Wind: {
        if (at(p) != ' ')
            return false;
        const qsizetype s = p + 1;
        for (qsizetype e = s + nonSpaceRun(s) - 1; e > s; --e) {
            if ((lit(e, "kt") && each(e + 2)) || (lit(e, "mps") && each(e + 3)) ||
                (lit(e, "kts") && each(e + 3)))
                return true;
        }
        return (lit(s, "/////") && each(s + 5)) || (lit(s, "/////kt") && each(s + 7));
    }
    case VarDir:
        if (at(p) == ' ') {
            const qsizetype first = digitRun(p + 1);
            if (first > 0 && lit(p + 1 + first, "v")) {
                const qsizetype s = p + 2 + first;
                for (qsizetype e = s + digitRun(s); e > s; --e) {
                    if (each(e))
                        return true;
                }
            }
        }
        return each(p);
    case Vis:
        if (at(p) == ' ') {
            qsizetype i = p + 1;
            if (lit(i, "p"))
                ++i;
            if (lit(i, "m"))
                ++i;
            // (?:\d \d/|\d/)? then \d+ then (?:SM|KM|M)?
            const bool longFraction =
                isDigit(at(i)) && lit(i + 1, " ") && isDigit(at(i + 2)) && lit(i + 3, "/");
            const bool fraction = isDigit(at(i)) && lit(i + 1, "/");
            for (qsizetype s : {longFraction ? i + 4 : -1, fraction ? i + 2 : -1, i}) {
                if (s < 0)
                    continue;
                const qsizetype run = digitRun(s);
                if (run > 0) {
                    const qsizetype e = s + run;
                    if ((lit(e, "sm") && each(e + 2)) || (lit(e, "km") && each(e + 2)) ||
                        (lit(e, "m") && each(e + 1)))
                        return true;
                    // A shorter digit run is followed by a digit: no unit.
                    for (qsizetype shorter = e; shorter > s; --shorter) {
                        if (each(shorter))
                            return true;
                    }
                }
            }
            const qsizetype run = digitRun(p + 1);
            if (run > 0 && lit(p + 1 + run, "ndv") && each(p + 4 + run))
                return true;
            if ((lit(p, " cavok") && each(p + 6)) ||
                (lit(p, " 9999ndv // cavok//") && each(p + 19)) ||
                (lit(p, " 9999 // cavok//") && each(p + 16)) || (lit(p, " ////") && each(p + 5)))
                return true;
        }
        return each(p);
    case Rvr:
        if (lit(p, " r")) {
            const qsizetype s = p + 2;
            for (qsizetype e = s + nonSpaceRun(s); e > s; --e) {
                if (lit(e, "ft") && each(e + 2))
                    return true;
            }
        }
        return each(p);
    case RvrRun: {
        if (!lit(p, " r") || !digits(p + 2, 2))
            return false;
        const qsizetype i = p + 4;
        const qsizetype slash = isWord(at(i)) && lit(i + 1, "/") ? i + 1 : lit(i, "/") ? i : -1;
        if (slash < 0)
            return false;
        const qsizetype s = slash + 1;
        for (qsizetype e = s + nonSpaceRun(s); e > s; --e) {
            if (each(e))
                return true;
        }
        return false;
    }
    case Weather: {
        qsizetype i = p;
        if (lit(i, " "))
            ++i;
        if (lit(i, "+") || lit(i, "-"))
            ++i;
        if (isLetter(at(i)))
            return isLetter(at(i + 1)) && isWeatherCode(at(i), at(i + 1)) && each(i + 2);
        return (lit(i, "//") && each(i + 2)) || (lit(i, "/") && each(i + 1));
    }
    case VertVis:
        if (lit(p, " vv") && (digits(p + 3, 3) || lit(p + 3, "///")) && each(p + 6))
            return true;
        return each(p);
    case Clouds:
        if (at(p) != ' ')
            return false;
        for (const char* word : CloudWords) {
            if (!lit(p + 1, word))
                continue;
            const qsizetype k = p + 1 + qsizetype(strlen(word));
            // (?:\d\d\d|///|\d\d\d///)? then (?:\w{2,3})?
            const bool three = digits(k, 3);
            for (qsizetype h : {three ? k + 3 : -1, lit(k, "///") ? k + 3 : -1,
                                three && lit(k + 3, "///") ? k + 6 : -1, k}) {
                if (h < 0)
                    continue;
                const bool two = isWord(at(h)) && isWord(at(h + 1));
                if ((two && isWord(at(h + 2)) && each(h + 3)) || (two && each(h + 2)) || each(h))
                    return true;
            }
        }
        return false;
    case Temps:
        if (at(p) == ' ') {
            const qsizetype first = temperatureLength(p + 1);
            const qsizetype slash = p + 1 + first;
            if (first > 0 && lit(slash, "/")) {
                const qsizetype second = temperatureLength(slash + 1);
                if ((second > 0 && f(slash + 1 + second, slash)) || f(slash + 1, slash))
                    return true;
            }
        }
        return f(p, -1);
    case Altimeter:
        if (at(p) != ' ')
            return false;
        for (const char* prefix : {"q", "a", "q ", "a "}) {
            if (!lit(p + 1, prefix))
                continue;
            const qsizetype s = p + 1 + qsizetype(strlen(prefix));
            if (const qsizetype run = digitRun(s); run > 0)
                return each(s + run);
            if (lit(s, "////") || lit(s, "xxxx"))
                return each(s + 4);
        }
        if (lit(p, " rmk"))
            return each(p + 4);
        return digits(p + 1, 3) && lit(p + 4, ".") && isDigit(at(p + 5)) && each(p + 6);
    }
    return false;
}

bool Matcher::succeeds(int state, qsizetype pos)
{
    if (state == Done)
        return true;
    // Past the wind every piece but the weather begins with a blank: elsewhere
    // the optional ones are skipped, and the altimeter fails.
    if (state > Wind && state != Weather && at(pos) != ' ')
        return state < Weather && succeeds(Weather, pos);
    if (const Known k = known(state, pos); k != Unknown)
        return k == Succeeds;
    const bool ok = isLoop(state) ? loopSucceeds(state, pos)
                                  : forEach(state, pos, [&](qsizetype end, qsizetype) {
                                        return succeeds(state + 1, end);
                                    });
    if (!isLoop(state)) // a loop remembers every position it went through
        remember(state, pos, ok ? Succeeds : Fails);
    return ok;
}

// A run may have hundreds of thousands of iterations, too many to recurse
// through. Every iteration moves on, so the positions the run can reach from
// pos are marked going forward, and then settled going back: each position
// succeeds when one more iteration leads to a settled success, or when the
// rest of the pattern matches from there.
bool Matcher::loopSucceeds(int state, qsizetype pos)
{
    // Most positions allow no further iteration: no marks needed.
    if (!forEach(state, pos, [](qsizetype, qsizetype) { return true; })) {
        const bool ok = succeeds(state + 1, pos);
        remember(state, pos, ok ? Succeeds : Fails);
        return ok;
    }
    QVarLengthArray<quint64, 4>& reach = m_reach[state == RvrRun ? 0 : state == Weather ? 1 : 2];
    if (reach.isEmpty())
        reach.resize(m_size / 64 + 1, 0);
    const auto marked = [&](qsizetype at) { return (reach[at / 64] >> (at % 64)) & 1; };
    reach[pos / 64] |= quint64(1) << (pos % 64);
    qsizetype last = pos;
    for (qsizetype at = pos; at <= last; ++at) {
        if (!marked(at) || known(state, at) != Unknown)
            continue;
        forEach(state, at, [&](qsizetype end, qsizetype) {
            reach[end / 64] |= quint64(1) << (end % 64);
            last = std::max(last, end);
            return false;
        });
    }
    for (qsizetype at = last; at >= pos; --at) {
        if (!marked(at))
            continue;
        reach[at / 64] &= ~(quint64(1) << (at % 64));
        if (known(state, at) != Unknown)
            continue;
        const bool ok =
            forEach(state, at,
                    [&](qsizetype end, qsizetype) { return known(state, end) == Succeeds; }) ||
            succeeds(state + 1, at);
        remember(state, at, ok ? Succeeds : Fails);
    }
    return known(state, pos) == Succeeds;
}

std::optional<MetarSpans> Matcher::match()
{
    // ^[A-Z]\w\w\w (\d{6}Z)
    if (!isLetter(at(0)) || !isWord(at(1)) || !isWord(at(2)) || !isWord(at(3)) || at(4) != ' ' ||
        !digits(5, 6) || !lit(11, "z"))
        return std::nullopt;
    m_memo.resize((qsizetype(Done) * (m_size + 1) + 3) / 4, 0);
    if (!succeeds(Modifier, 12))
        return std::nullopt;

    // Every state reached below succeeds from where it is reached: take the
    // first way on that keeps it so, as the backtracking engine would.
    MetarSpans spans;
    spans.fill({-1, 0});
    spans[1] = {5, 7};
    const auto span = [](qsizetype from, qsizetype to) {
        return from == to ? std::pair<qsizetype, qsizetype>(-1, 0) : std::pair(from, to - from);
    };
    qsizetype pos = 12;
    for (int state = Modifier; state < Done; ++state) {
        const qsizetype start = pos;
        qsizetype mid = -1;
        if (isLoop(state)) {
            while (forEach(state, pos, [&](qsizetype end, qsizetype) {
                if (!succeeds(state, end))
                    return false;
                pos = end;
                return true;
            })) {
            }
        } else {
            forEach(state, pos, [&](qsizetype end, qsizetype slash) {
                if (!succeeds(state + 1, end))
                    return false;
                pos = end;
                mid = slash;
                return true;
            });
        }
        switch (state) {
        case Wind:
            spans[2] = {start + 1, pos - start - 1};
            break;
        case VarDir:
            spans[3] = span(start, pos);
            break;
        case Vis:
            spans[4] = span(start, pos);
            break;
        case Weather:
            spans[5] = {start, pos - start}; // taking part, though maybe empty
            break;
        case VertVis:
            spans[6] = span(start, pos);
            break;
        case Clouds:
            spans[7] = {start, pos - start};
            break;
        case Temps:
            if (mid >= 0) {
                spans[8] = {start + 1, mid - start - 1};
                spans[9] = span(mid + 1, pos);
            }
            break;
        case Altimeter:
            spans[10] = {start, pos - start};
            break;
        }
    }
    return spans;
}

} // namespace

std::optional<MetarSpans> matchMetarPattern(QStringView text)
{
    return Matcher(text).match();
}
