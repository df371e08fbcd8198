#pragma once

#include "core/sessionstate.h"
#include "net/discovery.h"
#include "store/appsettings.h"
#include "ui/generatordialog.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class AtisEngine;
class AtisGenerator;
class AtisSpeech;
class MetarAgeLabel;
class OneBoxAtATime;
class OnlineCodeLookup;
class ProfileCommands;
class Desktop;
class Dialogs;
class GeneratorDialog;
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
class SettingsStore;
class Speaker;
class SpeechMenus;
class StoreProfiles;
class TextFetcher;
class WaitCursorFetcher;
class WindowCurrentAtis;
class WindowForm;

// The one window of the program: builds its controls and wires their events
// to the commands. Its controls are the only store of the visible settings;
// the engine, the profile commands and start-up read and write them through
// the window's form.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    struct Services
    {
        SettingsStore& store;
        TextFetcher& fetcher;
        // Ends a fetch that is waiting, when the program closes.
        std::function<void()> abortFetch;
        // Null: Qt's own message boxes and the real desktop.
        Dialogs* dialogs = nullptr;
        Desktop* desktop = nullptr;
        // The draw that picks the weather server.
        RandomDraw draw = SystemRandomDraw;
        // Runs once on close, after the settings were written or the
        // controller chose to close without them (the program ends).
        std::function<void(bool saved)> unloaded;
        // Null: Qt's text-to-speech.
        Speaker* speaker = nullptr;
        // Where the letter already on the air is looked up; null: nowhere.
        OnlineCodeLookup* lookup = nullptr;
        // The clock the age of a METAR is measured with (UTC); empty: the system's.
        std::function<QDateTime()> clock = {};
    };

    explicit frmMain(const Services& services, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up sequence. False when no weather server was found: the
    // program must end without writing any setting. A close asked for
    // meanwhile is carried out once it returns true, from the event loop.
    bool load();
    // The same sequence in two halves, so that the window can be painted
    // between them: everything before the weather server discovery, then
    // the discovery and the end of start-up (returning what load() does).
    void beginLoad();
    bool finishLoad();
    // Asks about unsaved profile changes; false cancels the close.
    bool ConfirmExit();
    // The desktop session is ending: close as the title bar would, or, when
    // no question may be asked, save the settings and end. False when the
    // controller cancelled.
    bool sessionEnding(bool mayAsk);
    // True once the close has begun writing the settings.
    bool unloaded() const { return m_unloaded; }

    SessionState& state() { return m_state; }
    AtisEngine& engine() { return *m_engine; }
    // The values of the controls, as the engine sees them.
    WindowForm& form() { return *m_form; }
    // The local ATIS generator the window owns, and its settings.
    AtisGenerator& generator() { return *m_generator; }
    const GeneratorSettings& generatorSettings() const { return m_generatorSettings; }
    // The scale from design units to pixels chosen for the platform's font.
    double layoutScale() const { return m_scale; }

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
    void createSpeech(Speaker* speaker);
    void showGeneratorDialog();
    // The profile's settings that only their dialogs show; a change marks
    // the profile changed.
    void editTransitionLevels();
    void editAtisType();
    void arrange();
    void setFocusOrder();
    void connectEvents();
    // The setting's value is the check mark of the action.
    void bindChecked(const QString& key, QAction* action);
    void markDirty();
    void showProfileDirty();
    void closeAfterStartUp(PendingClose kind);
    void unload(bool mayAsk);

    SettingsStore& m_store;
    std::unique_ptr<WaitCursorFetcher> m_fetcher;
    std::function<void()> m_abortFetch;
    RandomDraw m_draw;
    std::function<void(bool)> m_onUnloaded;
    std::function<QDateTime()> m_clock;
    std::unique_ptr<Dialogs> m_ownDialogs;
    std::unique_ptr<Desktop> m_ownDesktop;
    // Every box of the window goes through it, so that one opens at a time.
    std::unique_ptr<OneBoxAtATime> m_boxes;
    Dialogs& m_dialogs;
    Desktop& m_desktop;
    SessionState m_state;
    SettingsBinding m_settings;
    std::unique_ptr<WindowForm> m_form;
    std::unique_ptr<AtisEngine> m_engine;
    std::unique_ptr<ProfileCommands> m_profiles;
    std::unique_ptr<Speaker> m_ownSpeaker;
    Speaker* m_speaker = nullptr;
    std::unique_ptr<AtisSpeech> m_speech;
    SpeechMenus* m_speechMenus = nullptr;
    std::unique_ptr<StoreProfiles> m_generatorProfiles;
    std::unique_ptr<WindowCurrentAtis> m_currentAtis;
    // Declared after what it reads, so that it ends first.
    std::unique_ptr<AtisGenerator> m_generator;
    GeneratorSettings m_generatorSettings;
    QPointer<GeneratorDialog> m_generatorDialog;
    bool m_loading = false;
    bool m_closing = false;
    bool m_unloaded = false;
    PendingClose m_pendingClose = PendingClose::None;
    double m_scale = 1.0;

    // The controls, by their design names (also their object names).
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label1 = nullptr;
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
    QAction* mnuHelpDocumentation = nullptr;
    QAction* mnuHelpAbout = nullptr;
};
