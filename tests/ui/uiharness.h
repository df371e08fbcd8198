#pragma once

#include "fakedesktop.h"
#include "frmmain.h"
#include "httptextfetcher.h"
#include "localweatherserver.h"
#include "qsettingsstore.h"
#include "scripteddialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// Counts the writes that reach the store, to prove settings are saved once.
class CountingStore : public SettingsStore
{
public:
    explicit CountingStore(SettingsStore& inner) : m_inner(inner) {}
    int saves = 0;
    bool SaveSetting(const QString& s, const QString& k, const QString& v) override
    {
        ++saves;
        return m_inner.SaveSetting(s, k, v);
    }
    QString GetSetting(const QString& s, const QString& k, const QString& d) const override
    {
        return m_inner.GetSetting(s, k, d);
    }
    std::optional<Pairs> GetAllSettings(const QString& s) const override { return m_inner.GetAllSettings(s); }
    bool DeleteSetting(const QString& s, const std::optional<QString>& k) override
    {
        return m_inner.DeleteSetting(s, k);
    }

private:
    SettingsStore& m_inner;
};

// The real window over a real settings file in a temporary folder, a real
// weather server on 127.0.0.1 and scripted dialogs and desktop.
struct UiHarness
{
    QTemporaryDir dir;
    LocalWeatherServer server;
    QSettingsStore fileStore{dir.filePath("Briefcast.conf")};
    CountingStore store{fileStore};
    HttpTextFetcher fetcher;
    ScriptedDialogs dialogs;
    FakeDesktop desktop;
    int unloads = 0;
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
        window = std::make_unique<frmMain>(frmMain::Services{
            .store = store,
            .fetcher = fetcher,
            .abortFetch = [this] { fetcher.abort(); },
            .dialogs = realDialogs ? nullptr : &dialogs,
            .desktop = &desktop,
            .draw = [] { return 0.0f; },
            .unloaded = [this] { ++unloads; }});
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
    static QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qunsetenv("WINEPREFIX");
}

#define BRIEFCAST_UI_TEST_MAIN(TestClass)                                                                    \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        useTemporaryHome();                                                                                  \
        QApplication app(argc, argv);                                                                        \
        QApplication::setQuitOnLastWindowClosed(false);                                                      \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
