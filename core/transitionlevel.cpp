#include "core/transitionlevel.h"

#include <algorithm>
#include <cmath>

namespace {

// Beyond any QNH met on Earth: bounds outside are not a table's.
constexpr int LowestHpa = 1;
constexpr int HighestHpa = 2000;
constexpr int HighestLevel = 999;

// What is wrong with a table.
using Texts::UserText;
constexpr UserText EndsBelowStart{
    QT_TRANSLATE_NOOP("Texts", "The band %1 to %2 hPa ends below its start")};
constexpr UserText NoLevel{QT_TRANSLATE_NOOP("Texts", "No level for %1 hPa")};
constexpr UserText TwoLevels{QT_TRANSLATE_NOOP("Texts", "Two levels for %1 hPa")};
constexpr UserText Levels{QT_TRANSLATE_NOOP("Texts", "%1 levels for %2 hPa")};

std::optional<int> wholeNumber(const QString& text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

QString valuesText(qint64 first, qint64 last)
{
    return first == last ? QString::number(first)
                         : Texts::Range.arg(QString::number(first), QString::number(last));
}

} // namespace

std::optional<int> QnhHectopascals(const QString& altimeterGroup)
{
    const QString group = QString(altimeterGroup).remove(u' ');
    if (group.size() != 5)
        return std::nullopt;
    for (qsizetype i = 1; i < group.size(); ++i) {
        if (group[i] < u'0' || group[i] > u'9')
            return std::nullopt;
    }
    const int value = group.mid(1).toInt();
    const QChar unit = group[0].toUpper();
    if (unit == u'Q')
        return value;
    if (unit == u'A')
        return int(std::floor(value * HectopascalsPerInchOfMercury / 100.0));
    return std::nullopt;
}

std::optional<int> TransitionLevelFor(const TransitionLevelTable& table, int qnhHpa)
{
    std::optional<int> level;
    for (const TransitionLevelBand& band : table) {
        if (band.lowHpa > qnhHpa || qnhHpa > band.highHpa)
            continue;
        if (level && *level != band.level)
            return std::nullopt;
        level = band.level;
    }
    return level;
}

QString TransitionLevelText(const TransitionLevelTable& table, const QString& altimeterGroup)
{
    const std::optional<int> qnh = QnhHectopascals(altimeterGroup);
    const std::optional<int> level = qnh ? TransitionLevelFor(table, *qnh) : std::nullopt;
    return level ? QString::number(*level) : QString();
}

QString FormatTransitionLevels(const TransitionLevelTable& table)
{
    QStringList bands;
    for (const TransitionLevelBand& band : table)
        bands.append(QStringLiteral("%1-%2:%3").arg(band.lowHpa).arg(band.highHpa).arg(band.level));
    return bands.join(u'|');
}

TransitionLevelTable ParseTransitionLevels(const QString& stored)
{
    TransitionLevelTable table;
    for (const QString& text : stored.split(u'|', Qt::SkipEmptyParts)) {
        const QStringList levelApart = text.split(u':');
        const QStringList bounds = levelApart.value(0).split(u'-');
        if (levelApart.size() != 2 || bounds.size() != 2)
            continue;
        const auto low = wholeNumber(bounds.at(0), LowestHpa, HighestHpa);
        const auto high = wholeNumber(bounds.at(1), LowestHpa, HighestHpa);
        const auto level = wholeNumber(levelApart.at(1), 1, HighestLevel);
        if (low && high && level)
            table.append({*low, *high, *level});
    }
    return table;
}

QStringList TransitionLevelTableProblems(const TransitionLevelTable& table)
{
    QStringList problems;
    // How many bands cover each run of values: +1 where a band begins, -1
    // just after it ends.
    QList<std::pair<qint64, int>> edges;
    for (const TransitionLevelBand& band : table) {
        if (band.lowHpa > band.highHpa) {
            problems.append(
                EndsBelowStart.arg(QString::number(band.lowHpa), QString::number(band.highHpa)));
            continue;
        }
        edges.append({band.lowHpa, +1});
        edges.append({qint64(band.highHpa) + 1, -1});
    }
    std::sort(edges.begin(), edges.end());
    int covering = 0;
    for (qsizetype i = 0; i + 1 < edges.size(); ++i) {
        covering += edges.at(i).second;
        const qint64 first = edges.at(i).first, last = edges.at(i + 1).first - 1;
        if (last < first)
            continue;
        const QString values = valuesText(first, last);
        if (covering == 0)
            problems.append(NoLevel.arg(values));
        else if (covering == 2)
            problems.append(TwoLevels.arg(values));
        else if (covering > 2)
            problems.append(Levels.arg(QString::number(covering), values));
    }
    return problems;
}

const QList<TransitionLevelPreset>& TransitionLevelPresets()
{
    // Where a whole hPa is on a boundary, it goes to the band the source
    // names; where the source leaves it open, to the higher level: a QNH is
    // passed rounded down, so 1013 may be anything from 1013.0 to 1013.9.
    // The manual names each source.
    static const QList<TransitionLevelPreset> presets{
        {{QT_TRANSLATE_NOOP("Texts", "Germany (transition altitude 5000 ft)")},
         {{943, 977, 80}, {978, 1013, 70}, {1014, 1050, 60}}},
        {{QT_TRANSLATE_NOOP("Texts", "Austria (transition altitude 10000 ft)")},
         {{943, 977, 130}, {978, 1013, 120}, {1014, 1050, 110}, {1051, 1060, 100}}},
        {{QT_TRANSLATE_NOOP("Texts", "London Heathrow (transition altitude 6000 ft)")},
         {{943, 976, 90}, {977, 1012, 80}, {1013, 1050, 70}}},
    };
    return presets;
}
