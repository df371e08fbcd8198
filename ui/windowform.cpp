#include "ui/windowform.h"

#include "core/informationcodes.h"
#include "core/texts.h"
#include "ui/metaragelabel.h"
#include "ui/runwaylists.h"
#include "ui/uitexts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

// AtisForm

Profile WindowForm::profile() const
{
    Profile profile;
    profile.icao = m_c.txtICAO->text();
    // The box gives line and paragraph separators as line feeds; the
    // template's line breaks are CR LF.
    profile.templateText = m_c.txtTemplate->toPlainText().replace(QLatin1Char('\n'), Texts::CrLf);
    for (int row = 0; row < m_c.runways->count(); ++row)
        profile.runways.append({m_c.runways->id(row), m_c.runways->arrivingTicked(row),
                                m_c.runways->departingTicked(row)});
    profile.visual = m_c.chkVisual->isChecked();
    profile.lahso = m_c.chkLAHSO->isChecked();
    profile.transitionLevels = m_transitionLevels;
    profile.atisType = m_atisType;
    profile.letters = m_letters;
    profile.phrasing = m_phrasing;
    profile.textForm = m_textForm;
    return profile;
}

void WindowForm::setProfile(const Profile& profile)
{
    // Only what differs is touched: a box shown again keeps its cursor and
    // its undo steps, and raises no change.
    const Profile shown = this->profile();
    if (profile.icao != shown.icao)
        m_c.txtICAO->setText(profile.icao);
    if (profile.templateText != shown.templateText)
        m_c.txtTemplate->setPlainText(profile.templateText);
    if (profile.runways != shown.runways) {
        m_c.runways->clear();
        for (const Profile::Runway& runway : profile.runways) {
            m_c.runways->append(runway.id);
            const int added = m_c.runways->count() - 1;
            if (runway.landing)
                m_c.runways->setArrivingTicked(added, true);
            if (runway.departing)
                m_c.runways->setDepartingTicked(added, true);
        }
    }
    m_c.chkVisual->setChecked(profile.visual);
    m_c.chkLAHSO->setChecked(profile.lahso);
    m_transitionLevels = profile.transitionLevels;
    m_atisType = profile.atisType;
    m_phrasing = profile.phrasing;
    m_textForm = profile.textForm;
    setLetterRange(profile.letters);
}

void WindowForm::focusIcao(bool selectAll)
{
    if (selectAll)
        m_c.txtICAO->setSelection(0, int(m_c.txtICAO->text().size()));
    m_c.txtICAO->setFocus(Qt::OtherFocusReason);
}

int WindowForm::codeIndex() const
{
    const int row = m_c.cboATISCode->currentIndex();
    return row < 0 ? row : m_letters.first + row;
}
void WindowForm::setCodeIndex(int index)
{
    if (m_letters.contains(index))
        m_c.cboATISCode->setCurrentIndex(index - m_letters.first);
}
QString WindowForm::codeText() const
{
    return m_c.cboATISCode->currentText();
}
void WindowForm::setLetterRange(const LetterRange& range)
{
    if (range == m_letters)
        return;
    const int kept = codeIndex();
    m_letters = range;
    {
        // Refilled without a word: only a code that changes is a choice.
        const QSignalBlocker quiet(m_c.cboATISCode);
        m_c.cboATISCode->clear();
        m_c.cboATISCode->addItems(
            InformationCodes().mid(range.first, range.last - range.first + 1));
        m_c.cboATISCode->setCurrentIndex(range.contains(kept) ? kept - range.first : -1);
    }
    if (!range.contains(kept))
        m_c.cboATISCode->setCurrentIndex(0);
}
void WindowForm::showCodeIsCurrent(bool current)
{
    m_c.lblATISCode->setText(current ? UiTexts::CurrentCode() : UiTexts::StartingCode());
}

void WindowForm::showAutoUpdate(bool running)
{
    m_c.cmdStartStop->setText(running ? UiTexts::Stop() : UiTexts::Start());
    m_c.mnuFileStartStop->setText(running ? UiTexts::StopAutoupdate() : UiTexts::StartAutoupdate());
    m_c.cboATISCode->setEnabled(!running);
    if (running)
        m_c.tmrMain->start();
    else
        m_c.tmrMain->stop();
}
bool WindowForm::timerEnabled() const
{
    return m_c.tmrMain->isActive();
}

void WindowForm::showLookingUp(bool lookingUp)
{
    m_c.lblLookUp->setText(lookingUp ? UiTexts::LookingUpCode() : QString());
    // The two share their place; the look-up lasts only until the next ATIS.
    m_c.lblCheck->setVisible(!lookingUp);
}

// One line, cut to the room it has; every finding on hover.
void WindowForm::showFindings(const QStringList& findings)
{
    QLabel* line = m_c.lblCheck;
    const QString text = findings.isEmpty() ? QString() : UiTexts::CheckLine(findings);
    line->setText(
        line->fontMetrics().elidedText(text, Qt::ElideRight, line->contentsRect().width()));
    line->setToolTip(findings.join(u'\n'));
}

// The ATIS box is read-only: what was put there is what it holds.
QString WindowForm::atisText() const
{
    return m_atisText;
}
void WindowForm::setAtisText(const QString& text)
{
    m_atisText = text;
    m_c.txtATIS->setPlainText(text);
}
void WindowForm::setLastMetarText(const QString& text)
{
    m_c.txtLastMETAR->setText(text);
    m_c.txtLastMETAR->setCursorPosition(0);
    m_c.lblMetarAge->showAgeOf(text);
}
// ProfileForm

void WindowForm::clearProfiles()
{
    m_c.cboProfiles->clear();
}
void WindowForm::addProfile(const QString& name)
{
    int at = 0;
    while (at < m_c.cboProfiles->count() && !ProfileListLess(name, m_c.cboProfiles->itemText(at)))
        ++at;
    m_c.cboProfiles->insertItem(at, name);
}
int WindowForm::profileCount() const
{
    return m_c.cboProfiles->count();
}
QString WindowForm::profileText(int index) const
{
    return m_c.cboProfiles->itemText(index);
}
int WindowForm::profileIndex() const
{
    return m_c.cboProfiles->currentIndex();
}
void WindowForm::setProfileIndex(int index)
{
    m_c.cboProfiles->setCurrentIndex(index);
}
