#include "ui/metaragelabel.h"

#include "core/metar.h"
#include "core/metarage.h"

namespace {
// Often enough that the minutes shown are never more than a little behind.
constexpr int RefreshMs = 15'000;
} // namespace

MetarAgeLabel::MetarAgeLabel(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("lblMetarAge"));
    setAccessibleName(tr("Age of the last METAR"));
    m_refresh.setInterval(RefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, &MetarAgeLabel::refresh);
}

QString MetarAgeLabel::widestCaption()
{
    return MetarAgeCaption(23 * 60 + 59);
}

void MetarAgeLabel::showAgeOf(const QString& metar)
{
    const std::optional<DecodedMetar> decoded = DecodeMetar(metar);
    m_observationTime = decoded ? decoded->ObservationTime : QString();
    refresh();
}

void MetarAgeLabel::refresh()
{
    const std::optional<qint64> age =
        m_observationTime.isEmpty() ? std::nullopt : MetarAgeMinutes(m_observationTime, m_clock());
    m_stale = age && IsStaleAge(*age);
    setText(age ? MetarAgeCaption(*age) : QString());
    // A report ahead of the clock: the caption is short, the tip says why.
    setToolTip(age ? ClockAheadText(*age) : QString());
    QFont bold = font();
    bold.setBold(m_stale);
    setFont(bold);
    setStyleSheet(m_stale ? QStringLiteral("color: #b00000;") : QString());
    if (age)
        m_refresh.start();
    else
        m_refresh.stop();
}
