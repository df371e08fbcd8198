#pragma once

#include "net/httptextfetcher.h"
#include "store/inifilestore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/fakespeaker.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/temporaryhome.h"
#include "tests/support/testfiles.h"
#include "tools/localwx/localweatherserver.h"
#include "ui/frmmain.h"
#include "ui/windowform.h"

#include <QTest>
#include <QtWidgets>
#include <memory>

// The real window over a real settings file in a temporary folder, a real
// weather server on 127.0.0.1, scripted dialogs, desktop and speech engine.
struct UiHarness
{
    TemporaryHome home; // the real home is never touched
    QTemporaryDir dir;
    LocalWeatherServer server;
    IniFileStore store{dir.filePath("Briefcast.conf")};
    HttpTextFetcher fetcher;
    ScriptedDialogs dialogs;
    FakeDesktop desktop;
    FakeSpeaker speaker;
    int unloads = 0;
    bool saved = false;
    // The window's clock: a few minutes after the KSEA report.
    QDateTime now{QDate(2026, 11, 12), QTime(17, 0), Qt::UTC};
    std::unique_ptr<frmMain> window;

    UiHarness()
    {
        server.listen();
        server.setMetar("KSEA", "KSEA 121653Z 17011KT 10SM FEW015 BKN035 12/09 A2992 RMK AO2\r\n");
        qputenv("BRIEFCAST_STATUS_URL", server.statusUrl().toUtf8());
        fetcher.setTimeoutMs(60'000);
        store.SaveSetting("Settings", "ATISFilePath", atisPath());
        // The radar client's folder is there, so atis.txt is written from the start.
        QDir().mkpath(home.path() + "/.wine/drive_c/Program Files/Kovoddddd");
        // The program ends once the settings are written, not with its window.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    QString atisPath() const { return dir.filePath("atis.txt"); }
    QString setting(const char* key) const { return store.GetSetting("Settings", key); }

    // Builds the window; with realDialogs, Qt's own message boxes.
    frmMain& create(bool realDialogs = false)
    {
        window = std::make_unique<frmMain>(
            frmMain::Services{.store = store,
                              .fetcher = fetcher,
                              .abortFetch = [this] { fetcher.abort(); },
                              .dialogs = realDialogs ? nullptr : &dialogs,
                              .desktop = &desktop,
                              .draw = [] { return 0.0f; },
                              .unloaded = [this](bool written) { ++unloads, saved = written; },
                              .speaker = &speaker,
                              .clock = [this] { return now; }});
        return *window;
    }
    frmMain& start(bool realDialogs = false)
    {
        frmMain& w = create(realDialogs);
        w.show();
        w.load();
        QApplication::setActiveWindow(&w);
        return w;
    }
    WindowForm& form() { return window->form(); }

    // A control of the window, by its object name.
    template <class T = QWidget> T* get(const char* name) const
    {
        if (T* found = window->findChild<T*>(QString::fromLatin1(name)))
            return found;
        qFatal("no control named %s", name);
    }
    // Clicks a button or box, or triggers a menu item.
    void press(const char* name) const
    {
        auto* action = qobject_cast<QAction*>(get<QObject>(name));
        action ? action->trigger() : QTest::mouseClick(get(name), Qt::LeftButton);
    }
    // What a control shows: its caption, title or text.
    static QString textOf(const QObject* o)
    {
        for (const char* property : {"text", "title", "plainText", "currentText"})
            if (const QVariant v = o->property(property); v.isValid())
                return v.toString();
        return {};
    }
};
