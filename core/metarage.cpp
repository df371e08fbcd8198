#include "core/metarage.h"

#include "core/texts.h"

namespace {
int twoDigits(QStringView text, qsizetype at)
{
    const QChar a = text.at(at), b = text.at(at + 1);
    if (!a.isDigit() || !b.isDigit() || a.unicode() > '9' || b.unicode() > '9')
        return -1;
    return (a.unicode() - '0') * 10 + (b.unicode() - '0');
}

using Texts::UserText;
constexpr UserText Minutes{QT_TRANSLATE_NOOP("Texts", "%1 min")};
constexpr UserText HoursMinutes{QT_TRANSLATE_NOOP("Texts", "%1 h %2 min")};
constexpr UserText DaysHours{QT_TRANSLATE_NOOP("Texts", "%1 d %2 h")};
constexpr UserText AheadCaption{QT_TRANSLATE_NOOP("Texts", "Ahead %1")};
constexpr UserText StaleCaption{QT_TRANSLATE_NOOP("Texts", "STALE %1")};
constexpr UserText AgeCaption{QT_TRANSLATE_NOOP("Texts", "Age %1")};
constexpr UserText ClockAhead{QT_TRANSLATE_NOOP(
    "Texts", "This METAR is stamped %1 ahead of this computer's clock: the clock runs slow.")};
constexpr UserText Stale{QT_TRANSLATE_NOOP("Texts", "STALE: this METAR was observed %1 ago.")};
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

    const QDateTime latest = now.toUTC().addSecs(SlowClockToleranceMinutes * 60);
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
    const QString hours = QString::number(m / 60 % 24).rightJustified(2, u'0');
    if (m < 60)
        return Minutes.arg(m);
    if (m < 24 * 60)
        return HoursMinutes.arg(QString::number(m / 60),
                                QString::number(m % 60).rightJustified(2, u'0'));
    return DaysHours.arg(QString::number(m / (24 * 60)), hours);
}

QString MetarAgeCaption(qint64 minutes)
{
    if (minutes < 0)
        return AheadCaption.arg(AgeText(-minutes));
    if (IsStaleAge(minutes))
        return StaleCaption.arg(AgeText(minutes));
    return AgeCaption.arg(AgeText(minutes));
}

QString ClockAheadText(qint64 minutes)
{
    if (minutes >= 0)
        return QString();
    return ClockAhead.arg(AgeText(-minutes));
}

QString StaleText(qint64 minutes)
{
    return Stale.arg(AgeText(minutes));
}

QString ClockAheadNotice(std::optional<qint64> minutes)
{
    if (!minutes || *minutes >= 0)
        return QString();
    return QStringLiteral("\r\n\r\n") + ClockAheadText(*minutes);
}
