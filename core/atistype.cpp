#include "core/atistype.h"

#include "core/texts.h"

namespace {
const QString Arrival = QStringLiteral("Arrival");
const QString Departure = QStringLiteral("Departure");

std::optional<int> letterIndex(QStringView text)
{
    if (text.size() != 1 || text.front() < u'A' || text.front() > u'Z')
        return std::nullopt;
    return text.front().unicode() - u'A';
}
} // namespace

QString AtisTypeWord(AtisType type)
{
    switch (type) {
    case AtisType::Arrival:
        return QStringLiteral("ARRIVAL");
    case AtisType::Departure:
        return QStringLiteral("DEPARTURE");
    case AtisType::Combined:
        break;
    }
    return {};
}

QString AtisCallsign(const QString& icao, AtisType type)
{
    switch (type) {
    case AtisType::Arrival:
        return icao + QStringLiteral("_A_ATIS");
    case AtisType::Departure:
        return icao + QStringLiteral("_D_ATIS");
    case AtisType::Combined:
        break;
    }
    return icao + QStringLiteral("_ATIS");
}

QString StoredAtisType(AtisType type)
{
    switch (type) {
    case AtisType::Arrival:
        return Arrival;
    case AtisType::Departure:
        return Departure;
    case AtisType::Combined:
        break;
    }
    return {};
}

std::optional<AtisType> ParseAtisType(const QString& stored)
{
    const QString text = stored.trimmed();
    if (text.compare(Arrival, Qt::CaseInsensitive) == 0)
        return AtisType::Arrival;
    if (text.compare(Departure, Qt::CaseInsensitive) == 0)
        return AtisType::Departure;
    if (text.isEmpty() || text.compare(QLatin1String("Combined"), Qt::CaseInsensitive) == 0)
        return AtisType::Combined;
    return std::nullopt;
}

QChar LetterOf(int letter)
{
    return QChar(char16_t(u'A' + letter));
}

QString LetterRangeText(const LetterRange& range)
{
    return Texts::Range.arg(QString(LetterOf(range.first)), QString(LetterOf(range.last)));
}

QString StoredLetterRange(const LetterRange& range)
{
    if (range == LetterRange())
        return {};
    return QString(LetterOf(range.first)) + u'-' + LetterOf(range.last);
}

std::optional<LetterRange> ParseLetterRange(const QString& stored)
{
    if (stored.trimmed().isEmpty())
        return LetterRange();
    const QString text = QString(stored).remove(u' ').remove(u'\t').toUpper();
    if (text.size() != 3 || text[1] != u'-')
        return std::nullopt;
    const auto first = letterIndex(QStringView(text).left(1));
    const auto last = letterIndex(QStringView(text).right(1));
    if (!first || !last || *first > *last)
        return std::nullopt;
    return LetterRange{*first, *last};
}
