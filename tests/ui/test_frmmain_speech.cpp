// The speech commands of the real window, over a scripted speech engine.
#include "core/atisspeech.h"
#include "core/speechtexts.h"
#include "tests/support/fakespeaker.h"
#include "tests/ui/uiharness.h"
#include "ui/speechmenus.h"
#include "ui/windowform.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

class TestFrmMainSpeech : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { h.reset(); }
    void menus();
    void speakKeySpeaksAndStops();
    void optionsKeptAcrossRuns();
    void noEngineToldOnceThenResting();

private:
    FakeSpeaker m_speaker;
    std::unique_ptr<UiHarness> h;
};

void TestFrmMainSpeech::init()
{
    m_speaker.present = true;
    m_speaker.said.clear();
    m_speaker.stops = 0;
    h = std::make_unique<UiHarness>();
    h->speaker = &m_speaker;
}

void TestFrmMainSpeech::menus()
{
    frmMain& w = h->start();
    const Ui m(w);
    QCOMPARE(m.mnuFileSpeak->text(), SpeechTexts::SpeakATIS);
    QCOMPARE(m.mnuFileSpeak->shortcut(), QKeySequence(Qt::Key_F9));
    QCOMPARE(m.mnuOptionsSpeakNewATIS->text(), QStringLiteral("&Speak New ATIS Automatically"));
    QVERIFY(m.mnuOptionsSpeakNewATIS->isCheckable());
    QVERIFY(!m.mnuOptionsSpeakNewATIS->isChecked()); // off at first
    QCOMPARE(m.mnuOptionsVoice->title(), QStringLiteral("&Voice"));
    QCOMPARE(m.mnuOptionsRate->title(), QStringLiteral("Speech &Rate"));
    Q_EMIT m.mnuOptionsVoice->aboutToShow();
    QStringList voices;
    for (QAction* a : m.mnuOptionsVoice->actions())
        voices << a->text() + (a->isChecked() ? "*" : "");
    QCOMPARE(voices, (QStringList{"&Default*", "kal16"}));
}

void TestFrmMainSpeech::speakKeySpeaksAndStops()
{
    frmMain& w = h->start();
    w.form().setIcaoText("KSEA");
    Ui(w).cmdRefresh->click();
    QTest::keyClick(&w, Qt::Key_F9);
    QCOMPARE(
        m_speaker.said,
        QStringList{
            "John Doe, S-3. Information Alpha Winds one seven zero at one one altimeter two niner "
            "niner two Sky few one thousand five hundred, broken three thousand "
            "five hundred."});
    QTest::keyClick(&w, Qt::Key_F9);
    QCOMPARE(m_speaker.stops, 1);
    QCOMPARE(m_speaker.said.size(), 1);
}

void TestFrmMainSpeech::optionsKeptAcrossRuns()
{
    {
        frmMain& w = h->start();
        Ui(w).mnuOptionsSpeakNewATIS->trigger();
        Ui(w).mnuOptionsRate->actions().at(2)->trigger(); // Fast
        QCOMPARE(m_speaker.rate, 0.4);
        w.close();
    }
    QVERIFY(h->store.calls.contains("save Settings/SpeakNewATIS=True"));
    QVERIFY(h->store.calls.contains("save Settings/SpeechRate=0.4"));
    m_speaker.rate = 0.0;
    frmMain& again = h->start();
    QVERIFY(Ui(again).mnuOptionsSpeakNewATIS->isChecked());
    QVERIFY(Ui(again).mnuOptionsRate->actions().at(2)->isChecked());
    QCOMPARE(m_speaker.rate, 0.4);
}

void TestFrmMainSpeech::noEngineToldOnceThenResting()
{
    m_speaker.present = false;
    frmMain& w = h->start();
    w.form().setIcaoText("KSEA");
    Ui(w).cmdRefresh->click();
    const qsizetype before = h->dialogs.shown.size();
    Ui(w).mnuFileSpeak->trigger();
    QCOMPARE(h->dialogs.shown.size(), before + 1);
    QVERIFY(h->dialogs.shown.last().text.startsWith(SpeechTexts::SpeechUnavailable));
    QVERIFY(!Ui(w).mnuFileSpeak->isEnabled());
    // Everything else goes on: a refresh still builds the ATIS.
    Ui(w).cmdRefresh->click();
    QVERIFY(w.form().atisText().contains("Information ALPHA"));
    QCOMPARE(h->dialogs.shown.size(), before + 1);
}

BRIEFCAST_UI_TEST_MAIN(TestFrmMainSpeech)
#include "test_frmmain_speech.moc"
