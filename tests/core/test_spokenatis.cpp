// The spoken ATIS, to the word, and the speech commands over a scripted engine.
#include "core/atisengine.h"
#include "core/atisspeech.h"
#include "core/metar.h"
#include "core/sessionstate.h"
#include "core/speechtexts.h"
#include "core/spokenatis.h"
#include "core/texts.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/fakefetcher.h"
#include "tests/support/fakeform.h"
#include "tests/support/fakespeaker.h"
#include "tests/support/scripteddialogs.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString Ksea =
    QStringLiteral("KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 OVC050 12/09 A2992 RMK AO2 SLP135");

TemplateValues valuesOf(const QString& reply, const QString& code, const QString& runways)
{
    std::optional<DecodedMetar> metar = DecodeMetar(NormaliseMetarReply(reply));
    if (!metar)
        qFatal("test report does not decode");
    FinishAltimeterAndVisibility(*metar);
    return {QStringLiteral("KSEA"), code, *metar, runways, QStringLiteral("Seattle")};
}

} // namespace

class TestSpokenAtis : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reports_data();
    void reports();
    void templates_data();
    void templates();
    void commandSpeaksAndStops();
    void noEngineIsToldOnce();
    void newAtisSpokenOnlyWhenChosen();
};

void TestSpokenAtis::reports_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("spoken");

    QTest::newRow("rain, three layers, A altimeter")
        << Ksea << "ALPHA"
        << "Information Alpha one six five three Zulu. Wind one seven zero at one one. Visibility "
           "one zero. light rain Sky few one thousand five hundred, broken three thousand five "
           "hundred, overcast five thousand. Temperature one two, dew point niner. Altimeter two "
           "niner niner two.";
    QTest::newRow("gusts, variable range, 9999, Q altimeter")
        << "EGLL 121650Z 24015G25KT 200V280 9999 SCT020 15/08 Q1013 NOSIG"
        << "BRAVO"
        << "Information Bravo one six five zero Zulu. Wind two four zero at one five, gusts two "
           "five, variable between two zero zero and two eight zero. Visibility one zero "
           "kilometers or more. Sky scattered two thousand. Temperature one five, dew point "
           "eight. Altimeter one zero one three.";
    QTest::newRow("CAVOK without cloud groups")
        << "LFPG 121700Z 27008KT CAVOK 18/06 Q1021 NOSIG"
        << "CHARLIE"
        << "Information Charlie one seven zero zero Zulu. Wind two seven zero at eight. "
           "Visibility cav okay. Sky not available. Temperature one eight, dew point six. "
           "Altimeter one zero two one.";
    QTest::newRow("calm, quarter mile, vertical visibility, below zero")
        << "KJFK 121651Z 00000KT 1/4SM FG VV002 M01/M02 A3001 RMK AO2"
        << "DELTA"
        << "Information Delta one six five one Zulu. Wind calm. Visibility one quarter. fog Sky "
           "vertical visibility two hundred. Temperature minus one, dew point minus two. "
           "Altimeter three zero zero one.";
    QTest::newRow("mixed fraction, two weather groups, X-RAY")
        << "KBOS 121654Z AUTO 31012KT 2 1/2SM -SN BR OVC008 M03/M05 A2975 RMK"
        << "X-RAY"
        << "Information X-ray one six five four Zulu. Wind three one zero at one two. Visibility "
           "two and one half. light snow, mist Sky overcast eight hundred. Temperature minus "
           "three, dew point minus five. Altimeter two niner seven five.";
    QTest::newRow("metres, runway visual range skipped")
        << "EDDF 121650Z 24010KT 200V270 6000 R25R/P1500 BR SCT008 BKN012 08/07 Q1016"
        << "ECHO"
        << "Information Echo one six five zero Zulu. Wind two four zero at one zero, variable "
           "between two zero zero and two seven zero. Visibility six kilometers. mist Sky "
           "scattered eight hundred, broken one thousand two hundred. Temperature eight, dew "
           "point seven. Altimeter one zero one six.";
    QTest::newRow("vertical visibility not reported")
        << "KXXX 121653Z 17011KT 0800 FG VV/// M01/M01 Q1020"
        << "FOXTROT"
        << "Information Foxtrot one six five three Zulu. Wind one seven zero at one one. "
           "Visibility eight hundred meters. fog Sky vertical visibility not reported. "
           "Temperature minus one, dew point minus one. Altimeter one zero two zero.";
    QTest::newRow("no temperature, remarks for altimeter")
        << "CYYZ 121700Z 25010KT 15SM BKN250 RMK CI8"
        << "GOLF"
        << "Information Golf one seven zero zero Zulu. Wind two five zero at one zero. "
           "Visibility one five. Sky broken two five thousand. Temperature not available, dew "
           "point not available. Altimeter not available.";
    QTest::newRow("variable wind, thunderstorm, cumulonimbus")
        << "KMIA 121653Z VRB03KT 3/4SM +TSRA BKN015CB 24/23 A2990"
        << "HOTEL"
        << "Information Hotel one six five three Zulu. Wind variable at three. Visibility three "
           "quarters. thunderstorm with heavy rain Sky broken one thousand five hundred "
           "cumulonimbus. Temperature two four, dew point two three. Altimeter two niner niner "
           "zero.";
    QTest::newRow("metres per second, showers, QNH below 1000")
        << "UUEE 121700Z 18005MPS 1200 -SHSN OVC004 M12/M14 Q0998"
        << "INDIA"
        << "Information India one seven zero zero Zulu. Wind one eight zero at five meters per "
           "second. Visibility one thousand two hundred meters. light snow showers Sky overcast "
           "four hundred. Temperature minus one two, dew point minus one four. Altimeter zero "
           "niner niner eight.";
    QTest::newRow("gusts, less than a quarter, blowing snow")
        << "KDEN 121653Z 36025G38KT M1/4SM BLSN VV005 M15/M18 A3012"
        << "JULIET"
        << "Information Juliet one six five three Zulu. Wind three six zero at two five, gusts "
           "three eight. Visibility less than one quarter. blowing snow Sky vertical visibility "
           "five hundred. Temperature minus one five, dew point minus one eight. Altimeter three "
           "zero one two.";
    QTest::newRow("more than six miles, dew point missing")
        << "KXXX 121653Z 17011KT P6SM FEW015 12/ A2992"
        << "KILO"
        << "Information Kilo one six five three Zulu. Wind one seven zero at one one. Visibility "
           "more than six. Sky few one thousand five hundred. Temperature one two, dew point not "
           "available. Altimeter two niner niner two.";
}

void TestSpokenAtis::reports()
{
    QFETCH(QString, reply);
    QFETCH(QString, code);
    QFETCH(QString, spoken);
    const QString templateText = QStringLiteral(
        "Information %id% %time%. Wind %wind%. Visibility %vis%. %precip% Sky %sky%. "
        "Temperature %temp%, dew point %dewpoint%. Altimeter %altimeter%.");
    QCOMPARE(SpeakTemplate(templateText, valuesOf(reply, code, QString())), spoken);
}

void TestSpokenAtis::templates_data()
{
    QTest::addColumn<QString>("templateText");
    QTest::addColumn<QString>("runways");
    QTest::addColumn<QString>("spoken");

    QTest::newRow("default template: radar-client functions left out or filled")
        << Texts::DefaultTemplate << "Landing rwys 16L & 16C. Departing rwy 9."
        << "John Doe, S-3. Information Alpha Winds one seven zero at one one altimeter two niner "
           "niner two Sky few one thousand five hundred, broken three thousand five hundred, "
           "overcast five thousand. Landing runways one six left and one six center. Departing "
           "runway niner.";
    QTest::newRow("METAR of this airport spoken, of another left out")
        << "METAR $metar(%icao%)\r\nElsewhere $wind(KJFK) unknown"
        << ""
        << "METAR one six five three Zulu, wind one seven zero at one one, visibility one zero, "
           "light rain, sky few one thousand five hundred, broken three thousand five hundred, "
           "overcast five thousand, temperature one two, dew point niner, altimeter two niner "
           "niner two. Elsewhere unknown.";
    QTest::newRow("abbreviations in any case, colon a blank")
        << "ILS rwy 34R APCH in use, LAHSO in effect. NOTAMS: TWY A CLSD"
        << ""
        << "I L S runway three four right approach in use, land and hold short operations in "
           "effect. notices to airmen taxiway A closed.";
    QTest::newRow("shared runway sentence and both flags")
        << "%runways%"
        << "Landing & departing runways 13L & 13R. Visual approaches in use. LAHSOs in effect."
        << "Landing and departing runways one three left and one three right. Visual approaches "
           "in use. land and hold short operations in effect.";
    QTest::newRow("airport spelt, profile as written, unknown words kept")
        << "%icao% %profile% information %id% time %time%\r\n\r\n%ICAO% %windy% 100% Alternate"
        << ""
        << "Kilo Sierra Echo Alpha Seattle information Alpha time one six five three Zulu. %ICAO% "
           "%windy% 100% Alternate.";
    QTest::newRow("empty template") << ""
                                    << "Landing rwy 16L."
                                    << "";
}

void TestSpokenAtis::templates()
{
    QFETCH(QString, templateText);
    QFETCH(QString, runways);
    QFETCH(QString, spoken);
    QCOMPARE(SpeakTemplate(templateText, valuesOf(Ksea, "ALPHA", runways)), spoken);
}

void TestSpokenAtis::commandSpeaksAndStops()
{
    FakeSpeaker speaker;
    ScriptedDialogs dialogs;
    AtisSpeech speech(speaker, dialogs);

    speech.SpeakATIS();
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].text, SpeechTexts::NothingToSpeak);
    QVERIFY(speaker.said.isEmpty());

    speech.atisBuilt(QStringLiteral("Information %id%"), valuesOf(Ksea, "BRAVO", QString()));
    speech.SpeakATIS();
    QCOMPARE(speaker.said, QStringList{"Information Bravo."});
    speech.SpeakATIS(); // pressed while speaking
    QCOMPARE(speaker.stops, 1);
    QCOMPARE(speaker.state(), Speaker::State::Ready);
    speech.SpeakATIS();
    speaker.finish();
    QCOMPARE(speaker.said.size(), 2);
    QCOMPARE(speaker.stops, 1);
    QCOMPARE(dialogs.shown.size(), 1);
}

void TestSpokenAtis::noEngineIsToldOnce()
{
    for (const bool failsLater : {false, true}) {
        FakeSpeaker speaker;
        speaker.present = failsLater;
        ScriptedDialogs dialogs;
        AtisSpeech speech(speaker, dialogs);
        QSignalSpy told(&speech, &AtisSpeech::unavailable);
        speech.setSettings({true, QString(), 0.0});
        speech.atisBuilt(QStringLiteral("Information %id%"), valuesOf(Ksea, "BRAVO", QString()));
        if (failsLater) {
            speech.SpeakATIS();
            speaker.fail(); // no audio output
        } else {
            speech.SpeakATIS();
        }
        speech.SpeakATIS();
        speech.atisAnnounced();
        QCOMPARE(told.size(), 1);
        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY(dialogs.shown[0].text.startsWith(SpeechTexts::SpeechUnavailable));
        QCOMPARE(dialogs.shown[0].title, Texts::ErrorTitle);
        QCOMPARE(speaker.said.size(), failsLater ? 1 : 0);
    }
}

void TestSpokenAtis::newAtisSpokenOnlyWhenChosen()
{
    FakeForm form;
    ScriptedDialogs dialogs;
    FakeDesktop desktop;
    FakeFetcher fetcher;
    SessionState state;
    AtisEngine engine{form, dialogs, desktop, fetcher, state};
    FakeSpeaker speaker;
    AtisSpeech speech(speaker, dialogs);
    engine.setSpeech(&speech);
    form.icao = QStringLiteral("KSEA");
    form.templ = QStringLiteral("Information %id% wind %wind%");
    form.updateFile = false;

    // New ATIS, option off: kept for the command, not spoken.
    fetcher.reply(Ksea);
    engine.UpdateATIS(true);
    QCOMPARE(speech.spokenText(),
             QStringLiteral("Information Alpha wind one seven zero at one one."));
    QVERIFY(speaker.said.isEmpty());

    // Forced refresh of the same observation: rebuilt, not announced, not spoken.
    speech.setSettings({true, QString(), 0.0});
    form.templ = QStringLiteral("Information %id%");
    fetcher.reply(Ksea);
    engine.UpdateATIS(true);
    QCOMPARE(speech.spokenText(), QStringLiteral("Information Alpha."));
    QVERIFY(speaker.said.isEmpty());

    // A new observation is announced and spoken at once.
    fetcher.reply(QString(Ksea).replace(QStringLiteral("121653Z"), QStringLiteral("121753Z")));
    engine.UpdateATIS(false);
    QCOMPARE(speaker.said, QStringList{"Information Alpha."});
}

QTEST_GUILESS_MAIN(TestSpokenAtis)
#include "test_spokenatis.moc"
