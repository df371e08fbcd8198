#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>
#include <functional>

// Beside the last METAR: how old its observation is, marked STALE when it is
// too old to be trusted, or how far ahead of this computer's clock it is
// stamped (the clock runs slow; the report is not old). Keeps counting on its own while a report is
// shown, whether auto-update runs or not.
class MetarAgeLabel : public QLabel
{
    Q_DECLARE_TR_FUNCTIONS(MetarAgeLabel)

public:
    using Clock = std::function<QDateTime()>;

    explicit MetarAgeLabel(QWidget* parent);
    // The clock the age is counted with (UTC); the system's until set.
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The normalised reply now in the last METAR box; an empty caption when
    // it is no METAR with an observation time.
    void showAgeOf(const QString& metar);
    bool stale() const { return m_stale; }
    // The longest caption the label shows, for the window's layout.
    static QString widestCaption();

private:
    void refresh();

    Clock m_clock = &QDateTime::currentDateTimeUtc;
    QString m_observationTime;
    QTimer m_refresh;
    bool m_stale = false;
};
