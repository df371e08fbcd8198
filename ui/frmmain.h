#pragma once

#include "core/phrasing.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class Desktop;
class GeneratorDialog;
class MetarAgeLabel;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class RunwayLists;
class Session;
class SpeechMenus;
class WindowForm;

// The one window of the program: builds its controls and menus, shows the
// session's state and forwards the controller's commands to the session.
// Its controls are the only store of the visible settings; the session reads
// and writes them through the window's form.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The values of the controls, as the session sees them.
    WindowForm& form() { return *m_form; }
    // Wires the controls to the session's commands; once, before start-up.
    // The desktop opens the manual and takes copied addresses.
    void attach(Session& session, Desktop& desktop);

    // The start-up sequence, in two halves so that the window can be painted
    // between them: everything before the weather server discovery, then
    // the discovery and the end of start-up. finishLoad() is false when no
    // weather server was found: the program must end without writing any
    // setting. A close asked for meanwhile is carried out once it returns
    // true, from the event loop.
    void beginLoad();
    bool finishLoad();
    // The desktop session is ending: close as the title bar would, or, when
    // no question may be asked, save the settings and end. False when the
    // controller cancelled.
    bool sessionEnding(bool mayAsk);

Q_SIGNALS:
    // The window closed and the session wrote its settings, or the controller
    // chose to close without them: the program ends.
    void closed(bool settingsSaved);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A close asked for during start-up, carried out at its end.
    enum class PendingClose
    {
        None,
        Close,
        SessionEnd
    };

    void createControls();
    void createMenus();
    void showGeneratorDialog();
    // The profile's settings that only their dialogs show; a change marks
    // the profile changed.
    void editTransitionLevels();
    void editAtisType();
    void setPhrasing(Phrasing phrasing);
    void setTextForm(TextForm form);
    // Replaces the template, the phrasing and the text form with the preset
    // chosen in the list; asks first when the template was written by hand.
    void startFromPreset();
    void arrange();
    void setFocusOrder();
    void connectEvents();
    // The settings shown as check marks, after start-up read them.
    void showSettings();
    void markProfileChanged();
    void showProfileDirty();
    void closeAfterStartUp(PendingClose kind);
    void unload(bool mayAsk);

    // The controls' event handlers, each forwarding to the session.
    void tmrMain_Timer();
    void cboATISCode_Click();
    void cmdLoad_Click();
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdAddRunway_Click();
    void cmdDelRunway_Click();

    Session* m_session = nullptr;
    Desktop* m_desktop = nullptr;
    std::unique_ptr<WindowForm> m_form;
    SpeechMenus* m_speechMenus = nullptr;
    QPointer<GeneratorDialog> m_generatorDialog;
    bool m_loading = false;
    bool m_closing = false;
    bool m_unloaded = false;
    PendingClose m_pendingClose = PendingClose::None;

    // The controls, by their design names (also their object names).
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label1 = nullptr;
    // Beside the template's label: the presets to start it from.
    QLabel* lblStartFrom = nullptr;
    QComboBox* cboTemplatePresets = nullptr;
    QPushButton* cmdUseTemplatePreset = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtICAO = nullptr;
    QComboBox* cboProfiles = nullptr;
    QPushButton* cmdLoad = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdExit = nullptr;
    QPlainTextEdit* txtTemplate = nullptr;
    QPlainTextEdit* txtATIS = nullptr;
    QPushButton* cmdStartStop = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QLabel* lblATISCode = nullptr;
    QLabel* lblLookUp = nullptr;
    QLabel* lblCheck = nullptr;
    QComboBox* cboATISCode = nullptr;
    RunwayLists* m_runways = nullptr;
    QPushButton* cmdAddRunway = nullptr;
    QPushButton* cmdDelRunway = nullptr;
    QCheckBox* chkVisual = nullptr;
    QCheckBox* chkLAHSO = nullptr;
    QLineEdit* txtLastMETAR = nullptr;
    MetarAgeLabel* lblMetarAge = nullptr;
    QTimer* tmrMain = nullptr;

    QAction* mnuFileStartStop = nullptr;
    QAction* mnuFileCopy = nullptr;
    QAction* mnuFileRefresh = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuOptionsUpdateATISFile = nullptr;
    QAction* mnuOptionsATISLoc = nullptr;
    QAction* mnuOptionsTakeOverCode = nullptr;
    QAction* mnuOptionsGenerator = nullptr;
    QAction* mnuOptionsTransitionLevel = nullptr;
    QAction* mnuOptionsAtisType = nullptr;
    QMenu* mnuOptionsPhrasing = nullptr;
    QMenu* mnuOptionsTextForm = nullptr;
    QAction* mnuHelpDocumentation = nullptr;
    QAction* mnuHelpAbout = nullptr;
};
