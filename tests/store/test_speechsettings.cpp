// The speech settings in the section "Settings": read with their defaults,
// written after the other application settings.
#include "core/atisspeech.h"
#include "store/appsettings.h"
#include "store/qsettingsstore.h"
#include "tests/support/recordingstore.h"

#include <QTemporaryDir>
#include <QTest>

class TestSpeechSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data();
    void read();
    void writtenAndReadBack();
};

void TestSpeechSettings::read_data()
{
    QTest::addColumn<QStringList>("stored"); // SpeakNewATIS, SpeechVoice, SpeechRate; "-" missing
    QTest::addColumn<bool>("speakNewATIS");
    QTest::addColumn<QString>("voice");
    QTest::addColumn<double>("rate");

    QTest::newRow("nothing stored: off, default voice, normal rate")
        << QStringList{"-", "-", "-"} << false << "" << 0.0;
    QTest::newRow("on, a voice, slower")
        << QStringList{"True", "kal16", "-0.4"} << true << "kal16" << -0.4;
    QTest::newRow("letter case of the word ignored")
        << QStringList{"true", "-", "0.4"} << true << "" << 0.4;
    QTest::newRow("unreadable values: off and normal")
        << QStringList{"yes", "-", "fast"} << false << "" << 0.0;
    QTest::newRow("rate beyond the engine's range: normal")
        << QStringList{"False", "-", "2.5"} << false << "" << 0.0;
}

void TestSpeechSettings::read()
{
    QFETCH(QStringList, stored);
    QFETCH(bool, speakNewATIS);
    QFETCH(QString, voice);
    QFETCH(double, rate);
    QTemporaryDir dir;
    QSettingsStore store(dir.filePath("Briefcast.conf"));
    const QStringList keys{"SpeakNewATIS", "SpeechVoice", "SpeechRate"};
    for (int i = 0; i < keys.size(); ++i)
        if (stored[i] != "-")
            QVERIFY(store.SaveSetting("Settings", keys[i], stored[i]));
    const SpeechSettings settings = LoadSpeechSettings(store);
    QCOMPARE(settings.speakNewATIS, speakNewATIS);
    QCOMPARE(settings.voice, voice);
    QCOMPARE(settings.rate, rate);
}

void TestSpeechSettings::writtenAndReadBack()
{
    QTemporaryDir dir;
    QSettingsStore file(dir.filePath("Briefcast.conf"));
    RecordingStore store(file);
    QVERIFY(SaveSpeechSettings(store, {true, "kal16", -0.4}));
    QCOMPARE(store.calls,
             (QStringList{"save Settings/SpeakNewATIS=True", "save Settings/SpeechVoice=kal16",
                          "save Settings/SpeechRate=-0.4"}));
    QSettingsStore again(dir.filePath("Briefcast.conf"));
    const SpeechSettings settings = LoadSpeechSettings(again);
    QVERIFY(settings.speakNewATIS);
    QCOMPARE(settings.voice, QStringLiteral("kal16"));
    QCOMPARE(settings.rate, -0.4);
}

QTEST_GUILESS_MAIN(TestSpeechSettings)
#include "test_speechsettings.moc"
