#include "core/sessionstate.h"
#include "store/appsettings.h"
#include "store/profilecommands.h"
#include "store/qsettingsstore.h"
#include "tests/support/fakeform.h"
#include "tests/support/fakeprofileform.h"
#include "tests/support/recordingstore.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/temporaryhome.h"

#include <QFile>
#include <QTest>

class TestAppSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void defaultPath_data();
    void defaultPath();
    void updateATISFile_data();
    void updateATISFile();
    void firstStartOnEmptyStore();
    void startWithLastProfile();
    void lastProfileGone();
    void saveSettingsWritesFiveKeysInOrder();
    void closeWithoutProfileStartsWithDefaultTemplate();
    void startAndCloseKeepHandWrittenValues();

private:
    void start();
    TemporaryHome m_env;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettingsStore> m_store;
    FakeForm m_form;
    FakeProfileForm m_list;
    ScriptedDialogs m_dialogs;
    SessionState m_state;
};

void TestAppSettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<QSettingsStore>(m_dir->filePath("store.ini"));
    m_form = FakeForm();
    m_form.templ = "<untouched>";
    m_form.code = 5;
    m_form.timer = true;
    m_list = FakeProfileForm();
    m_state = SessionState();
    m_state.TickCounter = 42;
    m_state.LastMetarKey = "old";
}

void TestAppSettings::start()
{
    ProfileCommands profiles(*m_store, m_form, m_list, m_dialogs, m_state);
    LoadStartupSettings(*m_store, m_form, profiles, m_state);
}

void TestAppSettings::defaultPath_data()
{
    QTest::addColumn<QByteArray>("wineprefix");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no prefix") << QByteArray()
                               << "<home>/.wine/drive_c/Program Files/Kovoddddd/atis.txt";
    QTest::newRow("prefix") << QByteArray("/opt/radar")
                            << "/opt/radar/drive_c/Program Files/Kovoddddd/atis.txt";
    QTest::newRow("prefix with slash")
        << QByteArray("/opt/radar/") << "/opt/radar/drive_c/Program Files/Kovoddddd/atis.txt";
}

void TestAppSettings::defaultPath()
{
    QFETCH(QByteArray, wineprefix);
    QFETCH(QString, expected);
    if (wineprefix.isEmpty())
        qunsetenv("WINEPREFIX");
    else
        qputenv("WINEPREFIX", wineprefix);
    QCOMPARE(DefaultATISFilePath(), QString(expected).replace("<home>", m_env.path()));
    qunsetenv("WINEPREFIX");
}

void TestAppSettings::updateATISFile_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("checked");
    QTest::newRow("True") << "True" << true;
    QTest::newRow("False") << "False" << false;
    QTest::newRow("false") << "false" << false;
    QTest::newRow("FALSE") << "FALSE" << false;
    QTest::newRow("tRuE") << "tRuE" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("-1") << "-1" << true;
    QTest::newRow("0.0") << "0.0" << false;
    QTest::newRow("2") << "2" << true;
    QTest::newRow("garbage") << "maybe" << true;
    QTest::newRow("empty") << "" << true;
}

void TestAppSettings::updateATISFile()
{
    QFETCH(QString, stored);
    QFETCH(bool, checked);
    QCOMPARE(ParseUpdateATISFile(stored), checked);
    m_store->SaveSetting("Settings", "UpdateATISFile", stored);
    m_form.updateFile = !checked;
    start();
    QCOMPARE(m_form.updateFile, checked);
}

void TestAppSettings::firstStartOnEmptyStore()
{
    RecordingStore recording(*m_store);
    ProfileCommands profiles(recording, m_form, m_list, m_dialogs, m_state);
    m_form.icao = "left over";
    m_form.updateFile = false;
    m_state.ProfileDirty = true;
    LoadStartupSettings(recording, m_form, profiles, m_state);
    QCOMPARE(recording.calls, (QStringList{"get Settings/ICAO", "get Settings/LastProfile",
                                           "get Settings/UpdateATISFile",
                                           "get Settings/ATISFilePath", "all Profiles"}));
    QCOMPARE(m_form.icao, QString());
    QCOMPARE(m_form.templ, Texts::DefaultTemplate);
    QCOMPARE(m_form.code, 0);
    QVERIFY(!m_form.timer);
    QCOMPARE(m_form.label, QStringLiteral("Starting Code:"));
    QVERIFY(m_form.updateFile);
    QCOMPARE(m_state.ATISFilePath, DefaultATISFilePath());
    QCOMPARE(m_state.TickCounter, 0);
    QVERIFY(m_state.LastMetarKey.isEmpty());
    QVERIFY(m_state.CurrentProfile.isEmpty());
    QVERIFY(!m_state.ProfileDirty);
    QCOMPARE(m_list.selected, -1);
    QVERIFY(m_dialogs.shown.isEmpty());
}

void TestAppSettings::startWithLastProfile()
{
    m_store->SaveSetting("Settings", "ICAO", "KSEA");
    m_store->SaveSetting("Settings", "LastProfile", "KBOS");
    m_store->SaveSetting("Settings", "Template", "never read");
    m_store->SaveSetting("Settings", "ATISFilePath", "/srv/radar/atis.txt");
    m_store->SaveSetting("Profiles", "KBOS", "1");
    m_store->SaveSetting("Profiles", "KSEA", "1");
    m_store->SaveSetting("Profiles\\KBOS", "ICAO", "KBOS");
    m_store->SaveSetting("Profiles\\KBOS", "Template", "a%vbCrLf%b");
    start();
    QCOMPARE(m_form.icao, QStringLiteral("KBOS"));
    QCOMPARE(m_form.templ, QStringLiteral("a\r\nb"));
    QCOMPARE(m_state.ATISFilePath, QStringLiteral("/srv/radar/atis.txt"));
    QCOMPARE(m_state.CurrentProfile, QStringLiteral("KBOS"));
    QCOMPARE(m_list.entries, (QStringList{"KBOS", "KSEA"}));
    QCOMPARE(m_list.selectedText(), QStringLiteral("KBOS"));
    QVERIFY(!m_state.ProfileDirty);
}

void TestAppSettings::lastProfileGone()
{
    m_store->SaveSetting("Settings", "ICAO", "KSEA");
    m_store->SaveSetting("Settings", "LastProfile", "KBOS");
    start();
    QCOMPARE(m_form.icao, QStringLiteral("KSEA"));
    QCOMPARE(m_form.templ, QStringLiteral("<untouched>")); // not the default template
    QVERIFY(m_state.CurrentProfile.isEmpty());
    QCOMPARE(m_list.selected, -1);
}

void TestAppSettings::saveSettingsWritesFiveKeysInOrder()
{
    RecordingStore recording(*m_store);
    m_form.icao = "ksea";
    m_form.templ = "line 1\r\nline 2";
    m_form.updateFile = false;
    m_state.CurrentProfile = "KSEA";
    m_state.ATISFilePath = "/srv/radar/atis.txt";
    QVERIFY(SaveSettings(recording, m_form, m_state));
    QCOMPARE(recording.calls,
             (QStringList{"save Settings/ICAO=ksea", "save Settings/Template=line 1\r\nline 2",
                          "save Settings/LastProfile=KSEA", "save Settings/UpdateATISFile=False",
                          "save Settings/ATISFilePath=/srv/radar/atis.txt"}));
    QCOMPARE(QSettingsStore(m_dir->filePath("store.ini")).GetSetting("Settings", "Template"),
             QStringLiteral("line 1\r\nline 2"));
    m_form.updateFile = true;
    QVERIFY(SaveSettings(*m_store, m_form, m_state));
    QCOMPARE(m_store->GetSetting("Settings", "UpdateATISFile"), QStringLiteral("True"));
}

void TestAppSettings::closeWithoutProfileStartsWithDefaultTemplate()
{
    m_form.icao = "KSEA";
    m_form.templ = "edited";
    QVERIFY(SaveSettings(*m_store, m_form, m_state));
    QCOMPARE(m_store->GetSetting("Settings", "LastProfile", "<missing>"), QString());
    m_form = FakeForm();
    start();
    QCOMPARE(m_form.templ, Texts::DefaultTemplate);
    QCOMPARE(m_form.icao, QStringLiteral("KSEA"));
}

void TestAppSettings::startAndCloseKeepHandWrittenValues()
{
    QFile f(m_dir->filePath("store.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Settings]\nICAO=KSEA\nTemplate=\"Information %id%, winds $wind(%icao%) , alt "
            "$altim(%icao%); sky "
            "%clouds%\\r\\n%runways%\"\nLastProfile=KSEA west\nUpdateATISFile=False\n"
            "ATISFilePath=C:\\Radar\\atis.txt\n\n[Profiles]\nKSEA%20west=1\n\n[Profiles%255CKSEA%"
            "20west]\n"
            "ICAO=KSEA\nTemplate=Information %id%, winds $wind(%icao%) , alt $altim(%icao%); sky "
            "%clouds%%vbCrLf%%runways%\nRunways=16L,1,0|16C,0,1\nVisualInUse=1\nLAHSOInEffect=0\n");
    f.close();
    const QString templ =
        "Information %id%, winds $wind(%icao%) , alt $altim(%icao%); sky %clouds%";
    start();
    QCOMPARE(m_form.templ, templ + "\r\n%runways%");
    QCOMPARE(m_state.ATISFilePath, QStringLiteral("C:\\Radar\\atis.txt"));
    QVERIFY(SaveSettings(*m_store, m_form, m_state));

    QSettingsStore reread(m_dir->filePath("store.ini"));
    QCOMPARE(*reread.GetAllSettings("Settings"),
             (SettingsStore::Pairs{{"ICAO", "KSEA"},
                                   {"Template", templ + "\r\n%runways%"},
                                   {"LastProfile", "KSEA west"},
                                   {"UpdateATISFile", "False"},
                                   {"ATISFilePath", "C:\\Radar\\atis.txt"}}));
    QCOMPARE(reread.GetSetting("Profiles\\KSEA west", "Template"), templ + "%vbCrLf%%runways%");
}

QTEST_GUILESS_MAIN(TestAppSettings)
#include "test_appsettings.moc"
