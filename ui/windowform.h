#pragma once

#include "app/profileform.h"
#include "core/atisform.h"

class MetarAgeLabel;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class RunwayLists;

// The values of the window's controls as the engine and the profile commands
// read and write them. The controls stay the only store of those values; the
// exceptions are the ATIS text, kept as it was put, since its box is
// read-only, and the profile's settings that only their dialogs show.
class WindowForm : public AtisForm, public ProfileForm
{
public:
    // The controls the values live in, owned by the window.
    struct Controls
    {
        QLineEdit* txtICAO;
        QPlainTextEdit* txtTemplate;
        RunwayLists* runways;
        QCheckBox* chkVisual;
        QCheckBox* chkLAHSO;
        QComboBox* cboATISCode;
        QLabel* lblATISCode;
        QLabel* lblLookUp;
        QLabel* lblCheck;
        QTimer* tmrMain;
        QPushButton* cmdStartStop;
        QAction* mnuFileStartStop;
        QPlainTextEdit* txtATIS;
        QLineEdit* txtLastMETAR;
        MetarAgeLabel* lblMetarAge;
        QComboBox* cboProfiles;
    };

    explicit WindowForm(const Controls& controls) : m_c(controls) {}

    // AtisForm
    Profile profile() const override;
    void setProfile(const Profile& profile) override;
    void focusIcao(bool selectAll) override;
    int codeIndex() const override;
    void setCodeIndex(int index) override;
    QString codeText() const override;
    void showCodeIsCurrent(bool current) override;
    void showAutoUpdate(bool running) override;
    void showLookingUp(bool lookingUp) override;
    QString atisText() const override;
    void setAtisText(const QString& text) override;
    void setLastMetarText(const QString& text) override;
    void showFindings(const QStringList& findings) override;

    // Whether tmrMain ticks, as the window shows it.
    bool timerEnabled() const;

    // ProfileForm
    void clearProfiles() override;
    void addProfile(const QString& name) override;
    int profileCount() const override;
    QString profileText(int index) const override;
    int profileIndex() const override;
    void setProfileIndex(int index) override;

private:
    void setLetterRange(const LetterRange& range);

    Controls m_c;
    QString m_atisText;
    // The profile's settings without a control of their own; cboATISCode
    // holds the codes of m_letters, from its first letter on.
    TransitionLevelTable m_transitionLevels;
    AtisType m_atisType = AtisType::Combined;
    std::optional<Phrasing> m_phrasing;
    TextForm m_textForm = TextForm::Groups;
    LetterRange m_letters;
};
