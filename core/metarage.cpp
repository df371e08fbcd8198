#include "core/metarage.h"

namespace {
// How far ahead of the clock a report may be before it is taken for one of
// an earlier month. A clock off by more is rarer than an old report, and
// taking it for old errs on the side of the warning.
constexpr qint64 FutureToleranceMinutes = 60;

int twoDigits(QStringView text, qsizetype at)
{
    const QChar a = text.at(at), b = text.at(at + 1);
    if (!a.isDigit() || !b.isDigit() || a.unicode() > '9' || b.unicode() > '9')
        return -1;
    return (a.unicode() - '0') * 10 + (b.unicode() - '0');
}
} // namespace

std::optional<qint64> MetarAgeMinutes(QStringView observationTime, const QDateTime& now)
{
    if (observationTime.size() != 7 || observationTime.at(6) != u'Z')
        return std::nullopt;
    const int day = twoDigits(observationTime, 0);
    const int hour = twoDigits(observationTime, 2);
    const int minute = twoDigits(observationTime, 4);
    if (day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return std::nullopt;

    const QDateTime latest = now.toUTC().addSecs(FutureToleranceMinutes * 60);
    QDate month(latest.date().year(), latest.date().month(), 1);
    // Every day of the month occurs within a few months (the 31st skips at
    // most one month, the 29th at most a few years: give up on that).
    for (int i = 0; i < 4; ++i, month = month.addMonths(-1)) {
        if (day > month.daysInMonth())
            continue;
        const QDateTime observed(QDate(month.year(), month.month(), day), QTime(hour, minute),
                                 Qt::UTC);
        if (observed <= latest)
            return observed.secsTo(now.toUTC()) / 60;
    }
    return std::nullopt;
}

QString AgeText(qint64 minutes)
{
    const qint64 m = std::max<qint64>(minutes, 0);
    if (m < 60)
        return QStringLiteral("%1 min").arg(m);
    if (m < 24 * 60)
        return QStringLiteral("%1 h %2 min").arg(m / 60).arg(m % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 d %2 h").arg(m / (24 * 60)).arg(m / 60 % 24, 2, 10, QLatin1Char('0'));
}

QString MetarAgeCaption(qint64 minutes)
{
    return (IsStaleAge(minutes) ? QStringLiteral("STALE ") : QStringLiteral("Age ")) +
           AgeText(minutes);
}

QString StaleNotice(std::optional<qint64> minutes)
{
    if (!minutes || !IsStaleAge(*minutes))
        return QString();
    return QStringLiteral("\r\n\r\nSTALE: this METAR was observed ") + AgeText(*minutes) +
           QStringLiteral(" ago.");
}
