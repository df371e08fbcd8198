#pragma once

#include "net/httptextfetcher.h"
#include "store/qsettingsstore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/recordingstore.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/temporaryhome.h"
#include "tests/support/testfiles.h"
#include "tools/localwx/localweatherserver.h"
#include "ui/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

// The window's controls, found by their object names.
struct Ui
{
    explicit Ui(QObject& w) : w(w) {}
    template <class T> T* get(const char* name) const
    {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control named %s", name);
        return found;
    }
    QObject& w;
#define BRIEFCAST_CONTROL(Type, name) Type* name = get<Type>(#name);
    BRIEFCAST_CONTROL(QGroupBox, Frame1)
    BRIEFCAST_CONTROL(QGroupBox, Frame2)
    BRIEFCAST_CONTROL(QGroupBox, Frame3)
    BRIEFCAST_CONTROL(QLabel, Label1)
    BRIEFCAST_CONTROL(QLabel, Label2)
    BRIEFCAST_CONTROL(QLabel, Label3)
    BRIEFCAST_CONTROL(QLabel, Label4)
    BRIEFCAST_CONTROL(QLabel, Label5)
    BRIEFCAST_CONTROL(QLabel, Label6)
    BRIEFCAST_CONTROL(QLabel, Label7)
    BRIEFCAST_CONTROL(QLineEdit, txtICAO)
    BRIEFCAST_CONTROL(QComboBox, cboProfiles)
    BRIEFCAST_CONTROL(QPushButton, cmdLoad)
    BRIEFCAST_CONTROL(QPushButton, cmdSave)
    BRIEFCAST_CONTROL(QPushButton, cmdDelete)
    BRIEFCAST_CONTROL(QPushButton, cmdExit)
    BRIEFCAST_CONTROL(QPlainTextEdit, txtTemplate)
    BRIEFCAST_CONTROL(QPlainTextEdit, txtATIS)
    BRIEFCAST_CONTROL(QPushButton, cmdStartStop)
    BRIEFCAST_CONTROL(QPushButton, cmdCopy)
    BRIEFCAST_CONTROL(QPushButton, cmdRefresh)
    BRIEFCAST_CONTROL(QLabel, lblATISCode)
    BRIEFCAST_CONTROL(QComboBox, cboATISCode)
    BRIEFCAST_CONTROL(QListView, lstArriving)
    BRIEFCAST_CONTROL(QListView, lstDeparting)
    BRIEFCAST_CONTROL(QPushButton, cmdAddRunway)
    BRIEFCAST_CONTROL(QPushButton, cmdDelRunway)
    BRIEFCAST_CONTROL(QCheckBox, chkVisual)
    BRIEFCAST_CONTROL(QCheckBox, chkLAHSO)
    BRIEFCAST_CONTROL(QLineEdit, txtLastMETAR)
    BRIEFCAST_CONTROL(QLabel, lblMetarAge)
    BRIEFCAST_CONTROL(QTimer, tmrMain)
    BRIEFCAST_CONTROL(QAction, mnuFileStartStop)
    BRIEFCAST_CONTROL(QAction, mnuFileCopy)
    BRIEFCAST_CONTROL(QAction, mnuFileRefresh)
    BRIEFCAST_CONTROL(QAction, mnuFileSpeak)
    BRIEFCAST_CONTROL(QAction, mnuFileExit)
    BRIEFCAST_CONTROL(QAction, mnuOptionsUpdateATISFile)
    BRIEFCAST_CONTROL(QAction, mnuOptionsATISLoc)
    BRIEFCAST_CONTROL(QAction, mnuOptionsTakeOverCode)
    BRIEFCAST_CONTROL(QAction, mnuOptionsSpeakNewATIS)
    BRIEFCAST_CONTROL(QMenu, mnuOptionsVoice)
    BRIEFCAST_CONTROL(QMenu, mnuOptionsRate)
    BRIEFCAST_CONTROL(QAction, mnuHelpDocumentation)
    BRIEFCAST_CONTROL(QAction, mnuHelpAbout)
#undef BRIEFCAST_CONTROL
};

// The real window over a real settings file in a temporary folder, a real
// weather server on 127.0.0.1 and scripted dialogs and desktop.
struct UiHarness
{
    QTemporaryDir dir;
    LocalWeatherServer server;
    QSettingsStore fileStore{dir.filePath("Briefcast.conf")};
    RecordingStore store{fileStore};
    HttpTextFetcher fetcher;
    ScriptedDialogs dialogs;
    FakeDesktop desktop;
    int unloads = 0;
    bool saved = false;
    // Null: Qt's own speech engine, loaded only when speech is used.
    Speaker* speaker = nullptr;
    // Where the letter on the air is looked up; none unless a test sets one.
    OnlineCodeLookup* lookup = nullptr;
    // The window's clock: a few minutes after the KSEA report.
    QDateTime now{QDate(2026, 11, 12), QTime(17, 0), Qt::UTC};
    std::unique_ptr<frmMain> window;

    UiHarness()
    {
        server.listen();
        server.setMetar("KSEA", "KSEA 121653Z 17011KT 10SM FEW015 BKN035 12/09 A2992 RMK AO2\r\n");
        qputenv("BRIEFCAST_STATUS_URL", server.statusUrl().toUtf8());
        fetcher.setTimeoutMs(5000);
    }

    QString atisPath() const { return dir.filePath("atis.txt"); }

    // Builds the window; with realDialogs, Qt's own message boxes.
    frmMain& create(bool realDialogs = false)
    {
        window =
            std::make_unique<frmMain>(frmMain::Services{.store = store,
                                                        .fetcher = fetcher,
                                                        .abortFetch = [this] { fetcher.abort(); },
                                                        .dialogs = realDialogs ? nullptr : &dialogs,
                                                        .desktop = &desktop,
                                                        .draw = [] { return 0.0f; },
                                                        .unloaded =
                                                            [this](bool written) {
                                                                ++unloads;
                                                                saved = written;
                                                            },
                                                        .speaker = speaker,
                                                        .lookup = lookup,
                                                        .clock = [this] { return now; }});
        return *window;
    }

    // Builds, shows and starts the window; the atis.txt goes into the folder.
    frmMain& start(bool realDialogs = false)
    {
        frmMain& w = create(realDialogs);
        w.show();
        if (!w.load())
            qWarning("start-up failed");
        w.state().ATISFilePath = atisPath();
        QApplication::setActiveWindow(&w);
        return w;
    }
};

// Keeps every test away from the real home: set before QApplication exists.
inline void useTemporaryHome()
{
    static TemporaryHome home;
}

#define BRIEFCAST_UI_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        useTemporaryHome();                                                                        \
        QApplication app(argc, argv);                                                              \
        QApplication::setQuitOnLastWindowClosed(false);                                            \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
