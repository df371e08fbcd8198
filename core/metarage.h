#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

// A report older than this is marked stale: the METAR service can hand out
// old reports (a station that stopped reporting, a cache upstream).
inline constexpr qint64 StaleAfterMinutes = 70;

// The age in minutes of an observation time group "DDHHMMZ" (UTC) at the
// given moment. The group names no month: the report is taken from the
// latest month that has its day and puts it no later than an hour ahead
// of the clock, so a clock running slightly behind gives a small
// negative age, not a month-old report. No value for a group that is not
// a time.
std::optional<qint64> MetarAgeMinutes(QStringView observationTime, const QDateTime& now);

inline bool IsStaleAge(qint64 minutes)
{
    return minutes > StaleAfterMinutes;
}

// "45 min", "2 h 05 min", "3 d 04 h"; a report from the future reads "0 min".
QString AgeText(qint64 minutes);

// What the window shows beside the last METAR: "Age 45 min", or
// "STALE 2 h 05 min".
QString MetarAgeCaption(qint64 minutes);

// The line the "New ATIS" message gains for a stale report, with its two
// leading line breaks; empty for a fresh report or an unknown age.
QString StaleNotice(std::optional<qint64> minutes);
