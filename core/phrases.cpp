#include "core/phrases.h"

#include "core/informationcodes.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <array>

namespace {

const QString NotAvailable = QStringLiteral("not available");
const QString NotReported = QStringLiteral("not reported");

const std::array<const char*, 10> DigitWords = {"zero", "one", "two",   "three", "four",
                                                "five", "six", "seven", "eight", "niner"};

// A code's word as spoken text writes it: "X-RAY" becomes "X-ray".
QString phonetic(const QString& codeWord)
{
    return codeWord.left(1) + codeWord.mid(1).toLower();
}

QRegularExpression anchored(const char* pattern)
{
    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QLatin1String(pattern)),
                              QRegularExpression::CaseInsensitiveOption);
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

// A number without its leading zeros, digit by digit: "05" is five.
QString number(QStringView text)
{
    while (text.size() > 1 && text.front() == u'0')
        text = text.mid(1);
    return Spoken::digits(text);
}

// 1500 is "one thousand five hundred", 25000 "two five thousand"; a value
// that is not a whole number of hundreds is read digit by digit.
QString thousandsAndHundreds(int value)
{
    if (value == 0 || value % 100 != 0)
        return number(QString::number(value));
    QStringList words;
    if (value >= 1000)
        words << Spoken::digits(QString::number(value / 1000)) + QStringLiteral(" thousand");
    if (value % 1000 != 0)
        words << QLatin1String(DigitWords[value % 1000 / 100]) + QStringLiteral(" hundred");
    return words.join(u' ');
}

// How the words of an element are put: for the voice, figures said digit by
// digit and heights in thousands and hundreds ("two seven zero", "one
// thousand five hundred"); or for a text that a speech engine reads (the
// text form words), figures whole ("270", "1500"). Each element's words are
// built once, in small letters, for both; the text takes them in capitals.
// ICAO writes its units as its documents do (metres, kilometres), the FAA as
// American English does; the text, as the network's texts do.
struct Say
{
    Phrasing phrasing = Phrasing::Icao;
    bool text = false;

    bool icao() const { return phrasing == Phrasing::Icao; }
    // A group's figures as they stand: 270, 080.
    QString digits(QStringView figures) const
    {
        return text ? figures.toString() : Spoken::digits(figures);
    }
    // Without leading zeros: 05 is five, 5.
    QString number(QStringView figures) const
    {
        if (!text)
            return ::number(figures);
        while (figures.size() > 1 && figures.front() == u'0')
            figures = figures.mid(1);
        return figures.toString();
    }
    // Feet and metres: one thousand five hundred, 1500.
    QString amount(int value) const
    {
        return text ? QString::number(value) : thousandsAndHundreds(value);
    }
    QString metres() const
    {
        return text || !icao() ? QStringLiteral("meters") : QStringLiteral("metres");
    }
    QString kilometres() const
    {
        return text || !icao() ? QStringLiteral("kilometers") : QStringLiteral("kilometres");
    }
    QString metresPerSecond() const
    {
        return text ? QStringLiteral("mps") : metres() + QStringLiteral(" per second");
    }
    // The words in their form: capitals in the text.
    QString put(const QString& words) const { return text ? words.toUpper() : words; }
};

const Say Voice{Phrasing::Icao, false};

QString fraction(int numerator, int denominator, const Say& say)
{
    if (say.text)
        return QString::number(numerator) + u'/' + QString::number(denominator);
    const bool plural = numerator != 1;
    QString name;
    switch (denominator) {
    case 2:
        name = plural ? QStringLiteral("halves") : QStringLiteral("half");
        break;
    case 4:
        name = plural ? QStringLiteral("quarters") : QStringLiteral("quarter");
        break;
    case 8:
        name = plural ? QStringLiteral("eighths") : QStringLiteral("eighth");
        break;
    case 16:
        name = plural ? QStringLiteral("sixteenths") : QStringLiteral("sixteenth");
        break;
    default:
        return number(QString::number(numerator)) + QStringLiteral(" over ") +
               number(QString::number(denominator));
    }
    return number(QString::number(numerator)) + u' ' + name;
}

// Metres: below five kilometres in thousands and hundreds of metres, from
// there in kilometres; 9999 is ten kilometres or more (in the text, as the
// network writes it, 10 kilometers), 0000 below fifty.
QString meters(int value, const Say& say)
{
    if (value == 9999)
        return say.text
                   ? QStringLiteral("10 ") + say.kilometres()
                   : QStringLiteral("one zero ") + say.kilometres() + QStringLiteral(" or more");
    if (value == 0)
        return QStringLiteral("less than ") + say.number(u"50") + u' ' + say.metres();
    if (value >= 5000 && value % 1000 == 0)
        return say.digits(QString::number(value / 1000)) + u' ' + say.kilometres();
    return say.amount(value) + u' ' + say.metres();
}

bool isMissing(const QString& text)
{
    return text.isEmpty() || text == QLatin1String("unknown") || text == QLatin1String("??");
}

bool isSlashes(const QString& text)
{
    return !text.isEmpty() && text.count(u'/') == text.size();
}

const QList<QPair<QString, QString>>& weatherCodes()
{
    static const QList<QPair<QString, QString>> codes = {{"MI", "shallow"},
                                                         {"PR", "partial"},
                                                         {"BC", "patches of"},
                                                         {"DR", "low drifting"},
                                                         {"BL", "blowing"},
                                                         {"FZ", "freezing"},
                                                         {"DZ", "drizzle"},
                                                         {"RA", "rain"},
                                                         {"SN", "snow"},
                                                         {"SG", "snow grains"},
                                                         {"IC", "ice crystals"},
                                                         {"PL", "ice pellets"},
                                                         {"PE", "ice pellets"},
                                                         {"GR", "hail"},
                                                         {"GS", "small hail"},
                                                         {"UP", "unknown precipitation"},
                                                         {"BR", "mist"},
                                                         {"FG", "fog"},
                                                         {"FU", "smoke"},
                                                         {"VA", "volcanic ash"},
                                                         {"DU", "widespread dust"},
                                                         {"SA", "sand"},
                                                         {"HZ", "haze"},
                                                         {"PY", "spray"},
                                                         {"PO", "dust whirls"},
                                                         {"SQ", "squalls"},
                                                         {"FC", "funnel cloud"},
                                                         {"SS", "sandstorm"},
                                                         {"DS", "duststorm"}};
    return codes;
}

bool isDescriptor(const QString& code)
{
    static const QStringList descriptors = {"MI", "PR", "BC", "DR", "BL", "FZ"};
    return descriptors.contains(code);
}

QString weatherWord(const QString& code)
{
    for (const auto& [c, word] : weatherCodes())
        if (c == code)
            return word;
    return {};
}

// One present-weather group: "-SHRA" is "light rain showers", "+TSRA"
// "thunderstorm with heavy rain", "VCFG" "fog in the vicinity".
QString weatherGroup(const QString& group)
{
    // A slash stands for a part not reported ("RA/"): the rest is read.
    QString rest = group.toUpper().remove(u'/');
    if (rest.isEmpty())
        return QStringLiteral("weather not reported");
    // A heavy funnel cloud is one that reaches the ground or the sea.
    if (rest == QLatin1String("+FC"))
        return QStringLiteral("tornado or waterspout");
    QString intensity;
    if (rest.startsWith(u'-') || rest.startsWith(u'+')) {
        intensity = rest.startsWith(u'-') ? QStringLiteral("light ") : QStringLiteral("heavy ");
        rest = rest.mid(1);
    }
    bool vicinity = false, showers = false, thunderstorm = false;
    QStringList descriptors, phenomena;
    for (qsizetype i = 0; i < rest.size(); i += 2) {
        const QString code = rest.mid(i, 2);
        if (code == QLatin1String("VC"))
            vicinity = true;
        else if (code == QLatin1String("SH"))
            showers = true;
        else if (code == QLatin1String("TS"))
            thunderstorm = true;
        else if (const QString word = weatherWord(code); word.isEmpty())
            return group; // not a code we know: as written
        else if (isDescriptor(code))
            descriptors << word;
        else if (code == QLatin1String("DU") && !descriptors.isEmpty())
            phenomena << QStringLiteral("dust"); // blowing dust is not widespread
        else
            phenomena << word;
    }
    QString words;
    if (!phenomena.isEmpty() || !descriptors.isEmpty() || showers) {
        QStringList parts = descriptors;
        if (!phenomena.isEmpty())
            parts << phenomena.join(QStringLiteral(" and "));
        if (showers)
            parts << QStringLiteral("showers");
        words = intensity + parts.join(u' ');
    }
    if (thunderstorm)
        words = words.isEmpty() ? intensity + QStringLiteral("thunderstorm")
                                : QStringLiteral("thunderstorm with ") + words;
    if (vicinity)
        words += QStringLiteral(" in the vicinity");
    return words;
}

QString cloudLayer(const QString& layer, const Say& say)
{
    static const QRegularExpression re =
        anchored("(FEW|SCT|BKN|OVC|///)([0-9]{3}|///)?(?:///)?([A-Z]{2,3})?");
    static const QRegularExpression vv = anchored("VV([0-9]{3}|///)");
    const QString upper = layer.toUpper();
    static const QList<QPair<QString, QString>> whole = {{"SKC", "sky clear"},
                                                         {"CLR", "sky clear"},
                                                         {"NSC", "no significant cloud"},
                                                         {"NCD", "no cloud detected"},
                                                         {"NSW", "no significant weather"},
                                                         {"//////", NotReported}};
    for (const auto& [code, words] : whole)
        if (upper == code)
            return words;
    if (const auto m = vv.match(upper); m.hasMatch())
        return QStringLiteral("vertical visibility ") +
               (m.captured(1) == QLatin1String("///") ? NotReported
                                                      : say.amount(m.captured(1).toInt() * 100));
    const auto m = re.match(upper);
    if (!m.hasMatch())
        return layer;
    static const QList<QPair<QString, QString>> cover = {{"FEW", "few"},
                                                         {"SCT", "scattered"},
                                                         {"BKN", "broken"},
                                                         {"OVC", "overcast"},
                                                         {"///", "cloud cover not reported"}};
    QString words;
    for (const auto& [code, word] : cover)
        if (m.captured(1) == code)
            words = word;
    if (allDigits(m.captured(2)))
        words += u' ' + say.amount(m.captured(2).toInt() * 100);
    // An ATIS names only the clouds that matter to a pilot; the other types
    // (SC, CU, AC...) are left out.
    if (m.captured(3) == QLatin1String("CB"))
        words += QStringLiteral(" cumulonimbus");
    else if (m.captured(3) == QLatin1String("TCU"))
        words += QStringLiteral(" towering cumulus");
    if (m.captured(2) == QLatin1String("///"))
        words += QStringLiteral(", height unknown");
    return words;
}

// A layer as the FAA says it: the first broken or overcast layer (or the
// vertical visibility) is the ceiling, "ceiling four thousand five hundred
// broken"; "few clouds at two thousand five hundred", "three thousand
// scattered".
QString faaCloudLayer(const QString& layer, bool& ceilingNamed, const Say& say)
{
    static const QRegularExpression re = anchored("(FEW|SCT|BKN|OVC|VV)([0-9]{3})([A-Z]{2,3})?");
    const auto m = re.match(layer);
    if (!m.hasMatch())
        return cloudLayer(layer, say);
    const QString cover = m.captured(1).toUpper();
    const QString height = say.amount(m.captured(2).toInt() * 100);
    QString words;
    if (cover == QLatin1String("FEW")) {
        words = QStringLiteral("few clouds at ") + height;
    } else if (cover == QLatin1String("SCT")) {
        words = height + QStringLiteral(" scattered");
    } else if (cover == QLatin1String("VV")) {
        words = (ceilingNamed ? QStringLiteral("vertical visibility ")
                              : QStringLiteral("indefinite ceiling ")) +
                height;
        ceilingNamed = true;
    } else {
        words = (ceilingNamed ? QString() : QStringLiteral("ceiling ")) + height +
                (cover == QLatin1String("BKN") ? QStringLiteral(" broken")
                                               : QStringLiteral(" overcast"));
        ceilingNamed = true;
    }
    if (m.captured(3).toUpper() == QLatin1String("CB"))
        words += QStringLiteral(" cumulonimbus");
    else if (m.captured(3).toUpper() == QLatin1String("TCU"))
        words += QStringLiteral(" towering cumulus");
    return words;
}

QString labelled(const QString& label, const QString& words)
{
    return label + u' ' + Spoken::following(label, words);
}

bool isCavok(const QString& visibility)
{
    return visibility.compare(QLatin1String("CAVOK"), Qt::CaseInsensitive) == 0;
}

// CAVOK is a word of its own, in ICAO's phraseology and on the network's
// texts alike: said as the word, never spelt.
const QString CavokWord = QStringLiteral("CAVOK");

// Whole words of free text, and the ampersand.
const QRegularExpression& wordPattern()
{
    static const QRegularExpression re(QStringLiteral("[0-9]{3}\\.[0-9]{1,3}|[A-Za-z0-9]+|&"));
    return re;
}

bool isRunwayWord(const QString& word)
{
    static const QStringList words = {"RWY", "RWYS", "RUNWAY", "RUNWAYS"};
    return words.contains(word.toUpper());
}

// The runway identifiers of a list; after "rwy" a bare number is one too.
bool isRunwayId(const QString& word, bool afterRunwayWord)
{
    static const QRegularExpression withSide = anchored("[0-9]{1,2}[LRC]");
    static const QRegularExpression bare = anchored("[0-9]{1,2}");
    return withSide.match(word).hasMatch() || (afterRunwayWord && bare.match(word).hasMatch());
}

// A group of an ATIS in free text that a speech engine would read wrongly,
// said as the ATIS means it: a time, a flight level, a runway, a pressure,
// a frequency, a wind. Empty for any other word.
QString groupInFreeText(const QString& word, Phrasing phrasing)
{
    static const QRegularExpression frequency = anchored("[0-9]{3}\\.[0-9]{1,3}");
    static const QRegularExpression time = anchored("([0-9]{2})?([0-9]{4})Z");
    static const QRegularExpression flightLevel = anchored("FL([0-9]{2,3})");
    static const QRegularExpression runwayGroup = anchored("RWY([0-9]{1,2}[LRC]?)");
    static const QRegularExpression qnh = anchored("(?:Q|QNH)0?([0-9]{3,4})");
    static const QRegularExpression inches = anchored("A([0-9]{4})");
    static const QRegularExpression windGroup =
        anchored("(?:[0-9]{3}|VRB)[0-9]{2,3}(?:G[0-9]{2,3})?(?:KT|KTS|MPS)");
    if (frequency.match(word).hasMatch())
        return Spoken::digits(word);
    if (const auto m = time.match(word); m.hasMatch())
        return Spoken::digits(m.captured(2)) + QStringLiteral(" Zulu");
    if (const auto m = flightLevel.match(word); m.hasMatch())
        return QStringLiteral("flight level ") + Spoken::level(m.captured(1));
    if (const auto m = runwayGroup.match(word); m.hasMatch())
        return QStringLiteral("runway ") + Spoken::runway(m.captured(1));
    if (const auto m = qnh.match(word); m.hasMatch())
        return QStringLiteral("Q N H ") + Spoken::digits(m.captured(1));
    if (const auto m = inches.match(word); m.hasMatch())
        return QStringLiteral("altimeter ") + Spoken::digits(m.captured(1));
    if (windGroup.match(word).hasMatch())
        return Spoken::wind(word, phrasing);
    return {};
}

// The words that start a trend or end one.
const QStringList& trendMarkers()
{
    static const QStringList words = {"TEMPO", "BECMG", "NOSIG"};
    return words;
}

// The elements of a report, each in its words once, for the voice and for
// the text alike (see Say); in small letters but for the phonetic word Zulu.

QString timeWords(const QString& observation, const Say& say)
{
    static const QRegularExpression re = anchored("[0-9]{2}([0-9]{4})Z");
    const auto m = re.match(observation);
    return m.hasMatch() ? say.digits(m.captured(1)) + QStringLiteral(" Zulu") : observation;
}

QString runwayWords(const QString& id, const Say& say)
{
    static const QRegularExpression re = anchored("([0-9]{1,2})([LRC]?)");
    const auto m = re.match(id.trimmed());
    if (!m.hasMatch())
        return id;
    QString words = say.digits(m.captured(1));
    const QString side = m.captured(2).toUpper();
    if (side == QLatin1String("L"))
        words += QStringLiteral(" left");
    else if (side == QLatin1String("R"))
        words += QStringLiteral(" right");
    else if (side == QLatin1String("C"))
        words += QStringLiteral(" center");
    return words;
}

QString windWords(const QString& wind, const Say& say)
{
    // An automatic station may miss the direction (///22KT) or the speed
    // (080//KT) alone.
    static const QRegularExpression re =
        anchored("([0-9]{3}|VRB|///)([0-9]{2,3}|//)(?:G([0-9]{2,3}))?(KT|KTS|MPS)"
                 "(?: ([0-9]{3})V([0-9]{3}))?");
    if (isMissing(wind))
        return NotAvailable;
    if (wind.startsWith(QLatin1String("/////")))
        return NotReported;
    const auto m = re.match(wind);
    if (!m.hasMatch())
        return wind;
    const QString direction = m.captured(1).toUpper();
    const QString speed = m.captured(2);
    if (direction == QLatin1String("000") && allDigits(speed) && speed.toInt() == 0 &&
        !m.hasCaptured(3))
        return QStringLiteral("calm");
    const bool mps = m.captured(4).toUpper() == QLatin1String("MPS");
    const bool icao = say.icao();
    // FAA leaves the knots unsaid; metres per second are always said.
    const QString unit = mps    ? u' ' + say.metresPerSecond()
                         : icao ? QStringLiteral(" knots")
                                : QString();
    const QString degrees = icao ? QStringLiteral(" degrees") : QString();
    QString words;
    if (direction == QLatin1String("///"))
        words = QStringLiteral("direction not reported, ") + say.number(speed) +
                (unit.isEmpty() ? QStringLiteral(" knots") : unit);
    else if (speed == QLatin1String("//"))
        words = say.digits(direction) + degrees + QStringLiteral(", speed not reported");
    else if (direction == QLatin1String("VRB"))
        words = QStringLiteral("variable") + (icao ? QStringLiteral(" ") : QStringLiteral(" at ")) +
                say.number(speed) + unit;
    else
        words = say.digits(direction) + (icao ? degrees + u' ' : QStringLiteral(" at ")) +
                say.number(speed) + unit;
    if (m.hasCaptured(3))
        words += (icao ? QStringLiteral(", gusting ") : QStringLiteral(", gusts ")) +
                 say.number(m.captured(3)) + unit;
    if (m.hasCaptured(5))
        words += QStringLiteral(", variable between ") + say.digits(m.captured(5)) +
                 QStringLiteral(" and ") + say.digits(m.captured(6)) + degrees;
    return words;
}

QString visibilityWords(const QString& visibility, const Say& say)
{
    static const QRegularExpression re =
        anchored("([PM]?)(?:([0-9]+) )?(?:([0-9]+)/([0-9]+)|([0-9]+))(SM|KM|M)?(NDV)?");
    if (isMissing(visibility))
        return NotAvailable;
    if (isCavok(visibility))
        return CavokWord;
    if (isSlashes(visibility))
        return NotReported;
    // "9999 4000SE": the prevailing visibility, then the lowest and where.
    static const QRegularExpression lowest = anchored("([0-9]{4})(N|NE|E|SE|S|SW|W|NW)");
    const qsizetype blank = visibility.indexOf(u' ');
    if (const auto d = lowest.match(visibility.mid(blank + 1)); d.hasMatch()) {
        static const QList<QPair<QString, QString>> directions = {
            {"N", "north"}, {"NE", "northeast"}, {"E", "east"}, {"SE", "southeast"},
            {"S", "south"}, {"SW", "southwest"}, {"W", "west"}, {"NW", "northwest"}};
        QString words = meters(d.captured(1).toInt(), say) + QStringLiteral(" to the ");
        for (const auto& [code, direction] : directions)
            if (d.captured(2).toUpper() == code)
                words += direction;
        return blank < 0 ? words
                         : visibilityWords(visibility.left(blank), say) +
                               QStringLiteral(", minimum ") + words;
    }
    const auto m = re.match(visibility);
    if (!m.hasMatch())
        return visibility;
    const QString unit = m.captured(6).toUpper();
    const bool whole = m.hasCaptured(5);
    QString words;
    if (whole && (unit.isEmpty() || unit == QLatin1String("M")))
        words = meters(m.captured(5).toInt(), say);
    else {
        QStringList parts;
        if (m.hasCaptured(2))
            parts << say.number(m.captured(2));
        if (whole)
            parts << say.number(m.captured(5));
        else
            parts << fraction(m.captured(3).toInt(), m.captured(4).toInt(), say);
        // Written, a whole number and its fraction stand as the report has them.
        words = parts.join(say.text ? QStringLiteral(" ") : QStringLiteral(" and "));
        if (unit == QLatin1String("KM"))
            words += u' ' + say.kilometres();
    }
    const QString bound = m.captured(1).toUpper();
    if (bound == QLatin1String("P"))
        words = QStringLiteral("more than ") + words;
    else if (bound == QLatin1String("M"))
        words = QStringLiteral("less than ") + words;
    return words;
}

QString weatherWords(const QString& precip)
{
    QStringList groups;
    for (const QString& group : precip.split(u' ', Qt::SkipEmptyParts))
        groups << weatherGroup(group);
    return groups.join(QStringLiteral(", "));
}

QString skyWords(const QString& sky, const Say& say)
{
    if (isMissing(sky))
        return NotAvailable;
    QStringList layers;
    bool ceilingNamed = false;
    for (const QString& layer : sky.split(u' ', Qt::SkipEmptyParts))
        layers << (say.icao() ? cloudLayer(layer, say) : faaCloudLayer(layer, ceilingNamed, say));
    return layers.join(QStringLiteral(", "));
}

QString skyOfWords(const DecodedMetar& m, const Say& say)
{
    // CAVOK stands for the clouds too: none below five thousand feet, no
    // cumulonimbus.
    if (isMissing(m.Sky) && isCavok(m.Visibility))
        return QStringLiteral("no significant cloud");
    return skyWords(m.Sky, say);
}

QString temperatureWords(const QString& degrees, const Say& say)
{
    static const QRegularExpression re = anchored("(M?)([0-9]+)");
    if (isMissing(degrees))
        return NotAvailable;
    const auto m = re.match(degrees);
    if (!m.hasMatch())
        return NotReported; // "//" or "XX"
    return (m.captured(1).isEmpty() ? QString() : QStringLiteral("minus ")) +
           say.number(m.captured(2));
}

QString pressureWordOf(const DecodedMetar& m, const Say& say)
{
    if (m.PressureLetter != u"Q")
        return QStringLiteral("altimeter");
    return say.text ? QStringLiteral("qnh") : QStringLiteral("Q N H");
}

QString pressureWords(const DecodedMetar& m, const Say& say)
{
    const QString& altimeter = m.Altimeter;
    if (m.PressureLetter == u"Q" && altimeter.size() == 4 && altimeter.startsWith(u'0'))
        return say.digits(QStringView(altimeter).mid(1));

    static const QRegularExpression re = anchored("[AQ]? ?([0-9]+(?:\\.[0-9]+)?)");
    static const QRegularExpression notReported = anchored("[AQ]? ?(?:////|XXXX)");
    if (isMissing(altimeter) || altimeter.toUpper() == QLatin1String("RMK"))
        return NotAvailable;
    if (notReported.match(altimeter).hasMatch())
        return NotReported;
    const auto match = re.match(altimeter);
    return match.hasMatch() ? say.digits(match.captured(1)) : altimeter;
}

QString runwayVisualRangeWords(const QString& groups, const Say& say)
{
    static const QRegularExpression re =
        anchored("R([0-9]{2}[LRC]?)/([PM]?)([0-9]{4})(?:V([PM]?)([0-9]{4}))?(FT)?/?([UDN])?");
    const auto value = [&](const QString& bound, const QString& figure) {
        const QString words = say.amount(figure.toInt());
        if (bound.toUpper() == QLatin1String("P"))
            return QStringLiteral("more than ") + words;
        return bound.isEmpty() ? words : QStringLiteral("less than ") + words;
    };
    QStringList ranges;
    for (const QString& group : groups.split(u' ', Qt::SkipEmptyParts)) {
        const auto m = re.match(group);
        if (!m.hasMatch())
            continue; // not a range a pilot can use: left out
        QString words = QStringLiteral("runway ") + runwayWords(m.captured(1), say) +
                        QStringLiteral(" visual range ");
        if (m.hasCaptured(5))
            words += QStringLiteral("variable from ") + value(m.captured(2), m.captured(3)) +
                     QStringLiteral(" to ") + value(m.captured(4), m.captured(5));
        else
            words += value(m.captured(2), m.captured(3));
        words += m.hasCaptured(6) ? QStringLiteral(" feet") : u' ' + say.metres();
        static const QList<QPair<QString, QString>> tendencies = {
            {"U", ", increasing"}, {"D", ", decreasing"}, {"N", ", no change"}};
        for (const auto& [code, tendency] : tendencies)
            if (m.captured(7).toUpper() == code)
                words += tendency;
        ranges << words;
    }
    return ranges.join(QStringLiteral(", "));
}

// The groups of one trend, said as the report's own groups are: a time,
// the wind, the visibility, the weather, the clouds. A group of another kind
// is left out.
QString trendWords(const QStringList& groups, const Say& say)
{
    static const QRegularExpression time = anchored("(FM|TL|AT)([0-9]{4})");
    static const QRegularExpression windGroup =
        anchored("(?:[0-9]{3}|VRB)[0-9]{2,3}(?:G[0-9]{2,3})?(?:KT|KTS|MPS)");
    static const QRegularExpression visibilityGroup =
        anchored("[0-9]{4}|[PM]?[0-9]+(?:/[0-9]+)?(?:SM|KM)");
    static const QRegularExpression whole = anchored("[0-9]");
    static const QRegularExpression weatherCode =
        anchored("[+-]?(?:VC|TS|SH|MI|PR|BC|DR|BL|FZ|DZ|RA|SN|SG|IC|PL|PE|GR|GS|UP|BR|FG|FU|VA|DU|"
                 "SA|HZ|PY|PO|SQ|FC|SS|DS)+");
    static const QRegularExpression cloud =
        anchored("(?:FEW|SCT|BKN|OVC)[0-9]{3}[A-Z]{0,3}|VV[0-9]{3}");
    static const QList<QPair<QString, QString>> times = {
        {"FM", "from "}, {"TL", "until "}, {"AT", "at "}};
    QStringList said, clouds;
    const auto flushClouds = [&] {
        if (!clouds.isEmpty())
            said << skyWords(clouds.join(u' '), say);
        clouds.clear();
    };
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QString& g = groups[i];
        if (cloud.match(g).hasMatch()) {
            clouds << g;
            continue;
        }
        flushClouds();
        if (const auto t = time.match(g); t.hasMatch()) {
            for (const auto& [code, word] : times)
                if (t.captured(1) == code)
                    said << word + say.digits(t.captured(2));
        } else if (windGroup.match(g).hasMatch()) {
            said << labelled(QStringLiteral("wind"), windWords(g, say));
        } else if (g == QLatin1String("CAVOK")) {
            said << CavokWord;
        } else if (g == QLatin1String("NSW")) {
            said << QStringLiteral("no significant weather");
        } else if (g == QLatin1String("NSC")) {
            said << QStringLiteral("no significant cloud");
        } else if (whole.match(g).hasMatch() && i + 1 < groups.size() &&
                   visibilityGroup.match(groups[i + 1]).hasMatch()) {
            said << labelled(QStringLiteral("visibility"),
                             visibilityWords(g + u' ' + groups[++i], say));
        } else if (visibilityGroup.match(g).hasMatch()) {
            said << labelled(QStringLiteral("visibility"), visibilityWords(g, say));
        } else if (weatherCode.match(g).hasMatch()) {
            said << weatherGroup(g);
        }
    }
    flushClouds();
    return said.join(QStringLiteral(", "));
}

// What follows the pressure: recent weather, wind shear, the trend. The
// state of a runway and other groups for the text alone are left out.
QString supplementaryWords(const QString& groups, const Say& say)
{
    static const QRegularExpression recent = anchored("RE([A-Z]{2,8})");
    static const QRegularExpression runwayGroup = anchored("(?:R|RWY)([0-9]{2}[LRC]?)");
    const QStringList words = groups.toUpper().split(u' ', Qt::SkipEmptyParts);
    QStringList said;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        if (w == QLatin1String("NOSIG")) {
            said << QStringLiteral("no significant change");
        } else if (w == QLatin1String("TEMPO") || w == QLatin1String("BECMG")) {
            QStringList change;
            while (i + 1 < words.size() && !trendMarkers().contains(words[i + 1]))
                change << words[++i];
            const QString what = trendWords(change, say);
            said << (w == QLatin1String("TEMPO") ? QStringLiteral("tempo")
                                                 : QStringLiteral("becoming")) +
                        (what.isEmpty() ? QString() : u' ' + what);
        } else if (w == QLatin1String("WS")) {
            // WS R27, WS RWY27, WS ALL RWY; the older WS TKOF/LDG RWY27.
            while (i + 1 < words.size() &&
                   (words[i + 1] == QLatin1String("TKOF") || words[i + 1] == QLatin1String("LDG")))
                ++i;
            if (i + 2 < words.size() && words[i + 1] == QLatin1String("ALL") &&
                words[i + 2] == QLatin1String("RWY")) {
                said << QStringLiteral("wind shear all runways");
                i += 2;
            } else if (const auto r = i + 1 < words.size() ? runwayGroup.match(words[i + 1])
                                                           : QRegularExpressionMatch();
                       r.hasMatch()) {
                said << QStringLiteral("wind shear runway ") + runwayWords(r.captured(1), say);
                ++i;
            }
        } else if (const auto r = recent.match(w);
                   r.hasMatch() && weatherGroup(r.captured(1)) != r.captured(1)) {
            said << QStringLiteral("recent ") + weatherGroup(r.captured(1));
        }
        // Anything else (the state of a runway, a second pressure, a colour
        // state) is for the text alone.
    }
    return said.join(QStringLiteral(", "));
}

QString metarWords(const DecodedMetar& m, const Say& say)
{
    QStringList parts{timeWords(m.ObservationTime, say),
                      labelled(QStringLiteral("wind"), windWords(m.Wind, say))};
    // CAVOK says visibility and clouds in one word.
    const bool cavok = isCavok(m.Visibility);
    parts << (cavok ? CavokWord
                    : labelled(QStringLiteral("visibility"), visibilityWords(m.Visibility, say)));
    if (const QString ranges = runwayVisualRangeWords(m.RunwayVisualRange, say); !ranges.isEmpty())
        parts << ranges;
    if (!m.Precip.isEmpty())
        parts << weatherWords(m.Precip);
    if (!cavok || !isMissing(m.Sky))
        parts << (say.icao() ? labelled(QStringLiteral("sky"), skyWords(m.Sky, say))
                             : skyWords(m.Sky, say)); // the FAA's layers say what they are
    parts << labelled(QStringLiteral("temperature"), temperatureWords(m.Temperature, say))
          << labelled(QStringLiteral("dew point"), temperatureWords(m.DewPoint, say))
          << labelled(pressureWordOf(m, say), pressureWords(m, say));
    if (const QString more = supplementaryWords(m.Supplementary, say); !more.isEmpty())
        parts << more;
    return parts.join(QStringLiteral(", "));
}

} // namespace

namespace Spoken {

const QList<QPair<QString, QString>> Abbreviations = {
    {"ACFT", "aircraft"},
    {"ADVS", "advise"},
    {"ALT", "altimeter"},
    {"ALTM", "altimeter"},
    {"APCH", "approach"},
    {"APP", "approach"},
    {"ARR", "arrival"},
    {"ATC", "A T C"},
    {"CLD", "cloud"},
    {"CLNC", "clearance"},
    {"CLSD", "closed"},
    {"CTC", "contact"},
    {"DEP", "departure"},
    {"DEWPT", "dew point"},
    {"DME", "D M E"},
    {"FL", "flight level"},
    {"FREQ", "frequency"},
    {"FT", "feet"},
    {"GND", "ground"},
    {"GPS", "G P S"},
    {"IFR", "I F R"},
    {"ILS", "I L S"},
    {"INFO", "information"},
    {"KT", "knots"},
    {"KTS", "knots"},
    {"LAHSO", "land and hold short operations"},
    {"LAHSOS", "land and hold short operations"},
    {"LOC", "localizer"},
    {"MHZ", "megahertz"},
    {"NDB", "N D B"},
    {"NM", "nautical miles"},
    {"NOTAM", "notice to airmen"},
    {"NOTAMS", "notices to airmen"},
    {"QNH", "Q N H"},
    {"RNAV", "R NAV"},
    {"RWY", "runway"},
    {"RWYS", "runways"},
    {"SFC", "surface"},
    {"TEMP", "temperature"},
    {"TL", "transition level"},
    {"TMP", "temperature"},
    {"TRL", "transition level"},
    {"TWR", "tower"},
    {"TWY", "taxiway"},
    {"TWYS", "taxiways"},
    {"VFR", "V F R"},
    {"VIS", "visibility"},
    {"VOR", "V O R"},
    {"WND", "wind"},
    {"WX", "weather"},
};

QString digits(QStringView text)
{
    QStringList words;
    for (QChar c : text) {
        if (isAsciiDigit(c))
            words << QLatin1String(DigitWords[c.unicode() - u'0']);
        else if (c == u'.')
            words << QStringLiteral("decimal");
        else
            words << QString(c);
    }
    return words.join(u' ');
}

QString letters(QStringView text)
{
    QStringList words;
    for (QChar c : text) {
        const QChar upper = c.toUpper();
        if (upper >= u'A' && upper <= u'Z')
            words << phonetic(InformationCodes().at(upper.unicode() - u'A'));
        else if (isAsciiDigit(c))
            words << QLatin1String(DigitWords[c.unicode() - u'0']);
        else if (!c.isSpace())
            words << QString(c);
    }
    return words.join(u' ');
}

QString informationCode(const QString& code)
{
    const std::optional<QString> word = InformationCodeWord(code);
    return word ? phonetic(*word) : code;
}

QString time(const QString& observation)
{
    return timeWords(observation, Voice);
}

QString runway(const QString& id)
{
    return runwayWords(id, Voice);
}

QString wind(const QString& wind, Phrasing phrasing)
{
    return windWords(wind, {phrasing});
}

QString visibility(const QString& visibility, Phrasing phrasing)
{
    return visibilityWords(visibility, {phrasing});
}

QString weather(const QString& precip)
{
    return weatherWords(precip);
}

QString sky(const QString& sky, Phrasing phrasing)
{
    return skyWords(sky, {phrasing});
}

QString skyOf(const DecodedMetar& metar, Phrasing phrasing)
{
    return skyOfWords(metar, {phrasing});
}

QString temperature(const QString& degrees)
{
    return temperatureWords(degrees, Voice);
}

QString pressureWord(const DecodedMetar& metar)
{
    return pressureWordOf(metar, Voice);
}

QString pressure(const DecodedMetar& metar)
{
    return pressureWords(metar, Voice);
}

QString runwayVisualRange(const QString& groups, Phrasing phrasing)
{
    return runwayVisualRangeWords(groups, {phrasing});
}

QString supplementary(const QString& groups, Phrasing phrasing)
{
    return supplementaryWords(groups, {phrasing});
}

QString metar(const DecodedMetar& metar, Phrasing phrasing)
{
    return metarWords(metar, {phrasing});
}

// "Sky" followed by "sky clear" says "Sky clear": a phrase does not repeat
// the label said just before it. Only the end of what was said is looked at.
QString following(const QString& said, const QString& words)
{
    static const QRegularExpression lastWord(QStringLiteral("([A-Za-z]+)[^A-Za-z0-9]*$"));
    static const QStringList labels = {"sky", "weather", "visibility", "wind"};
    const QString last = lastWord.match(said.right(24)).captured(1).toLower();
    if (labels.contains(last) && words.size() > last.size() && words[last.size()] == u' ' &&
        words.startsWith(last, Qt::CaseInsensitive))
        return words.mid(last.size() + 1);
    return words;
}

QString level(const QString& level)
{
    // Flight levels of whole hundreds are said as such: one hundred.
    if (level.size() == 3 && level.endsWith(QLatin1String("00")) && level != u"000")
        return digits(level.left(1)) + QStringLiteral(" hundred");
    return digits(level);
}

QString freeText(const QString& text, Phrasing phrasing)
{
    QString spoken;
    qsizetype at = 0;
    bool inRunwayList = false;
    QRegularExpressionMatchIterator it = wordPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString gap = text.mid(at, m.capturedStart() - at);
        spoken += gap;
        // Words written together (118.7MHz, A&B) are said apart.
        if (gap.isEmpty() && !spoken.isEmpty() && spoken.back().isLetterOrNumber())
            spoken += u' ';
        at = m.capturedEnd();
        const QString word = m.captured();
        // A list of runways runs on over blanks, commas, "&" and "and".
        static const QRegularExpression notASeparator(QStringLiteral("[^ ,]"));
        if (gap.contains(notASeparator))
            inRunwayList = false;
        if (word == QLatin1String("&") ||
            word.compare(QLatin1String("and"), Qt::CaseInsensitive) == 0) {
            spoken += word == QLatin1String("&") ? QStringLiteral("and") : word;
            continue;
        }
        if (isRunwayId(word, inRunwayList)) {
            spoken += runway(word);
            inRunwayList = true;
            continue;
        }
        if (const QString said = groupInFreeText(word, phrasing); !said.isEmpty()) {
            spoken += said;
            inRunwayList = said.startsWith(QLatin1String("runway "));
            continue;
        }
        inRunwayList = isRunwayWord(word);
        QString replaced = word;
        for (const auto& [abbreviation, words] : Abbreviations)
            if (word.compare(abbreviation, Qt::CaseInsensitive) == 0)
                replaced = words;
        spoken += replaced;
    }
    return spoken + text.mid(at);
}

} // namespace Spoken

namespace Written {

namespace {
Say inText(Phrasing phrasing)
{
    return {phrasing, true};
}
} // namespace

QString time(const QString& observation)
{
    return inText(Phrasing::Icao).put(timeWords(observation, inText(Phrasing::Icao)));
}

QString wind(const QString& wind, Phrasing phrasing)
{
    return inText(phrasing).put(windWords(wind, inText(phrasing)));
}

QString visibility(const QString& visibility, Phrasing phrasing)
{
    return inText(phrasing).put(visibilityWords(visibility, inText(phrasing)));
}

QString weather(const QString& precip)
{
    return weatherWords(precip).toUpper();
}

QString sky(const DecodedMetar& metar, Phrasing phrasing)
{
    return inText(phrasing).put(skyOfWords(metar, inText(phrasing)));
}

QString temperature(const QString& degrees)
{
    return inText(Phrasing::Icao).put(temperatureWords(degrees, inText(Phrasing::Icao)));
}

QString pressure(const DecodedMetar& metar)
{
    return inText(Phrasing::Icao).put(pressureWords(metar, inText(Phrasing::Icao)));
}

QString metar(const DecodedMetar& metar, Phrasing phrasing)
{
    return inText(phrasing).put(metarWords(metar, inText(phrasing)));
}

} // namespace Written
