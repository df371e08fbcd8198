#include "ui/generatornotice.h"

#include "ui/uitexts.h"

GeneratorNotice::GeneratorNotice(const AtisGenerator& generator, QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("lblGeneratorCheck"));
    setStyleSheet(QStringLiteral("color: #b00000;"));
    setAccessibleName(UiTexts::GeneratorCheckName());
    // As wide as the status bar makes it, however long the line: cut to fit.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    connect(&generator, &AtisGenerator::served, this, &GeneratorNotice::note);
}

void GeneratorNotice::note(const AtisGenerator::Served& served)
{
    // Refusals put nothing on the air, and /current is no answer of an ATIS.
    if (!served.findings)
        return;
    // Most answers change nothing: the line is drawn again only when they do.
    const std::pair notice{served.informationCode, *served.findings};
    if (notice.second.isEmpty() ? !m_findings.remove(served.icao)
                                : m_findings.value(served.icao) == notice)
        return;
    if (!notice.second.isEmpty())
        m_findings.insert(served.icao, notice);
    QStringList airports;
    for (auto it = m_findings.cbegin(); it != m_findings.cend(); ++it)
        airports << UiTexts::GeneratorCheck(it.key(), it->first, it->second);
    m_line = airports.join(QStringLiteral(" | "));
    setToolTip(airports.join(u'\n'));
    showLine();
}

void GeneratorNotice::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    showLine();
}

// As much of the line as fits.
void GeneratorNotice::showLine()
{
    setText(fontMetrics().elidedText(m_line, Qt::ElideRight, contentsRect().width()));
}
