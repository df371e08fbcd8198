#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

// A report older than this is marked stale: the METAR service can hand out
// old reports (a station that stopped reporting, a cache upstream).
inline constexpr qint64 StaleAfterMinutes = 70;

// A report stamped ahead of the clock by up to this much is taken for a
// clock that runs slow, not for a report of an earlier month. A clock kept
// in local time instead of UTC runs up to eleven hours slow in the Americas
// and the Pacific; a server handing out a report of the same day a month
// ago is rarer than that.
inline constexpr qint64 SlowClockToleranceMinutes = 12 * 60;

// The age in minutes of an observation time group "DDHHMMZ" (UTC) at the
// given moment. The group names no month: the report is taken from the
// latest month that has its day and puts it no more than
// SlowClockToleranceMinutes ahead of the clock. A report ahead of the clock
// has a negative age. No value for a group that is not a time.
std::optional<qint64> MetarAgeMinutes(QStringView observationTime, const QDateTime& now);

inline bool IsStaleAge(qint64 minutes)
{
    return minutes > StaleAfterMinutes;
}

// "45 min", "2 h 05 min", "3 d 04 h", for an age that is not negative.
QString AgeText(qint64 minutes);

// What the window shows beside the last METAR: "Age 45 min",
// "STALE 2 h 05 min", or "Ahead 1 h 10 min" for a report stamped ahead of
// this computer's clock.
QString MetarAgeCaption(qint64 minutes);

// Why a report is stamped ahead of the clock, in a sentence; empty for a
// report that is not.
QString ClockAheadText(qint64 minutes);

// What a stale report is told with: "STALE: this METAR was observed 2 h 05
// min ago."
QString StaleText(qint64 minutes);

// The line the "New ATIS" message gains for a report stamped ahead of the
// clock, with its two leading line breaks; empty otherwise. A stale report is
// told by the check of the ATIS.
QString ClockAheadNotice(std::optional<qint64> minutes);
