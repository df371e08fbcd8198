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

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

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
