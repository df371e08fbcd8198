#include "core/template.h"

#include "core/phrases.h"
#include "core/texts.h"

namespace {

// Occurrences as replace finds them: left to right, without overlap.
qsizetype occurrences(const QString& text, QStringView name)
{
    qsizetype count = 0;
    for (qsizetype at = text.indexOf(name); at >= 0; at = text.indexOf(name, at + name.size()))
        ++count;
    return count;
}

using V = const TemplateValues&;

bool isLineEnd(const QString& text, qsizetype at)
{
    return at < 0 || at >= text.size() || text[at] == u'\r' || text[at] == u'\n';
}

// An empty value takes a blank beside it along, so that the words around it
// meet with one blank, no line begins or ends with one and none stands
// before a full stop or a comma: for a combined ATIS, "%icao% %type%
// information" reads "KSEA information".
void removeEmpty(QString& text, QStringView name)
{
    for (qsizetype at = text.indexOf(name); at >= 0; at = text.indexOf(name, at)) {
        qsizetype from = at, to = at + name.size();
        const bool blankBefore = from > 0 && text[from - 1] == u' ';
        const bool blankAfter = to < text.size() && text[to] == u' ';
        const bool stopAfter = to < text.size() && (text[to] == u'.' || text[to] == u',');
        if (blankAfter && (blankBefore || isLineEnd(text, from - 1)))
            ++to;
        else if (blankBefore && (isLineEnd(text, to) || stopAfter))
            --from;
        text.remove(from, to - from);
        at = from;
    }
}

constexpr Texts::UserText TooLong{
    QT_TRANSLATE_NOOP("Texts", "The ATIS would be longer than %1 characters.")};

} // namespace

Failure AtisTooLong()
{
    return {AtisTooLongErrorNumber, TooLong.arg(MaxAtisLength)};
}

QString WrittenValue(const TemplateVariable& variable, const TemplateValues& values)
{
    if (values.textForm == TextForm::Words && variable.words)
        return variable.words(values);
    return variable.written(values);
}

const QList<TemplateVariable>& TemplateVariables()
{
    // The elements of the report: as written, spoken, and in written words.
    const auto wind = [](V v) { return v.metar.Wind; };
    const auto spokenWind = [](V v) { return Spoken::wind(v.metar.Wind, v.phrasing); };
    const auto wordsWind = [](V v) { return Written::wind(v.metar.Wind, v.phrasing); };
    const auto vis = [](V v) { return v.metar.Visibility; };
    const auto spokenVis = [](V v) { return Spoken::visibility(v.metar.Visibility, v.phrasing); };
    const auto wordsVis = [](V v) { return Written::visibility(v.metar.Visibility, v.phrasing); };
    const auto sky = [](V v) { return v.metar.Sky; };
    const auto spokenSky = [](V v) { return Spoken::skyOf(v.metar, v.phrasing); };
    const auto wordsSky = [](V v) { return Written::sky(v.metar, v.phrasing); };
    const auto precip = [](V v) { return v.metar.Precip; };
    const auto spokenPrecip = [](V v) { return Spoken::weather(v.metar.Precip); };
    const auto wordsPrecip = [](V v) { return Written::weather(v.metar.Precip); };
    const auto alt = [](V v) { return v.metar.Altimeter; };
    const auto spokenAlt = [](V v) { return Spoken::pressure(v.metar); };
    const auto wordsAlt = [](V v) { return Written::pressure(v.metar); };
    const auto temp = [](V v) { return v.metar.Temperature; };
    const auto spokenTemp = [](V v) { return Spoken::temperature(v.metar.Temperature); };
    const auto wordsTemp = [](V v) { return Written::temperature(v.metar.Temperature); };
    const auto dew = [](V v) { return v.metar.DewPoint; };
    const auto spokenDew = [](V v) { return Spoken::temperature(v.metar.DewPoint); };
    const auto wordsDew = [](V v) { return Written::temperature(v.metar.DewPoint); };
    const auto windNames = [](V) { return QStringList{"wind", "winds"}; };
    // CAVOK says what it is.
    const auto visNames = [](V v) {
        return v.metar.Visibility.compare(u"CAVOK", Qt::CaseInsensitive) == 0
                   ? QStringList()
                   : QStringList{"visibility"};
    };
    const auto tempNames = [](V) { return QStringList{"temperature"}; };
    const auto dewNames = [](V) { return QStringList{"dew point"}; };
    const auto altNames = [](V v) {
        return QStringList{Spoken::pressureWord(v.metar), "altimeter", "Q N H"};
    };
    static const QList<TemplateVariable> table{
        {u"%icao%", [](V v) { return v.icao; }, [](V v) { return Spoken::letters(v.icao); }},
        {u"%id%", [](V v) { return v.informationCode; },
         [](V v) { return Spoken::informationCode(v.informationCode); }},
        {u"%time%", [](V v) { return v.metar.ObservationTime; },
         [](V v) { return Spoken::time(v.metar.ObservationTime); },
         [](V v) { return Written::time(v.metar.ObservationTime); }},
        {u"%wind%", wind, spokenWind, wordsWind, windNames},
        {u"%winds%", wind, spokenWind, wordsWind, windNames},
        {u"%vis%", vis, spokenVis, wordsVis, visNames},
        {u"%visibility%", vis, spokenVis, wordsVis, visNames},
        {u"%sky%", sky, spokenSky, wordsSky},
        {u"%clouds%", sky, spokenSky, wordsSky},
        {u"%precip%", precip, spokenPrecip, wordsPrecip},
        {u"%precipitation%", precip, spokenPrecip, wordsPrecip},
        {u"%alt%", alt, spokenAlt, wordsAlt, altNames},
        {u"%altim%", alt, spokenAlt, wordsAlt, altNames},
        {u"%altimeter%", alt, spokenAlt, wordsAlt, altNames},
        // The altimeter spelt, as a D-ATIS writes it in brackets after the
        // group: the voice has said it with the group, and says it once.
        {u"%altwords%", [](V v) { return Spoken::pressure(v.metar).toUpper(); },
         [](V) { return QString(); }},
        {u"%temp%", temp, spokenTemp, wordsTemp, tempNames},
        {u"%temperature%", temp, spokenTemp, wordsTemp, tempNames},
        {u"%dew%", dew, spokenDew, wordsDew, dewNames},
        {u"%dewpoint%", dew, spokenDew, wordsDew, dewNames},
        {u"%metar%", [](V v) { return v.metar.Metar; },
         [](V v) { return Spoken::metar(v.metar, v.phrasing); },
         [](V v) { return Written::metar(v.metar, v.phrasing); }},
        {u"%runways%", [](V v) { return v.runways; },
         [](V v) { return Spoken::freeText(v.runways, v.phrasing); }},
        {u"%approach%", [](V v) { return v.approach; },
         [](V v) { return Spoken::freeText(v.approach, v.phrasing); }},
        {u"%remarks%", [](V v) { return v.remarks; },
         [](V v) { return Spoken::freeText(v.remarks, v.phrasing); }},
        {u"%tl%", [](V v) { return v.transitionLevel; },
         [](V v) { return Spoken::level(v.transitionLevel); }, nullptr,
         [](V) {
             return QStringList{"transition level", "flight level"};
         }},
        {u"%type%", [](V v) { return v.atisType; }, [](V v) { return v.atisType.toLower(); }},
        {u"%profile%", [](V v) { return v.profile; }, [](V v) { return v.profile; }},
    };
    return table;
}

std::variant<QString, Failure> ExpandTemplate(const QString& templateText, const TemplateValues& v)
{
    if (templateText.size() > MaxAtisLength)
        return AtisTooLong();
    QString text = templateText;
    text.replace(u':', u' ');

    for (const TemplateVariable& variable : TemplateVariables()) {
        const QStringView name = variable.name;
        if (!text.contains(name))
            continue;
        const QString value = WrittenValue(variable, v);
        if (value.isEmpty()) {
            removeEmpty(text, name);
            continue;
        }
        // Counted only where even the most occurrences the text can hold
        // might pass the limit. 64-bit: a thousand occurrences of a 1 MiB
        // value pass 2^31.
        const qint64 growth = value.size() - name.size();
        const auto fits = [&](qint64 count) {
            return text.size() + count * growth <= MaxAtisLength;
        };
        if (!fits(text.size() / name.size()) && !fits(occurrences(text, name)))
            return AtisTooLong();
        text.replace(name.toString(), value, Qt::CaseSensitive);
    }
    return text;
}
