// The pure pieces that compose an ATIS: runway phrase, template expansion,
// change list and the "New ATIS" prompt.
#include "core/changereport.h"
#include "core/runwayphrase.h"
#include "core/template.h"
#include "tests/support/fakeform.h"

#include <QTest>

Q_DECLARE_METATYPE(AtisElements)

class TestComposition : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void runwayPhrase_data();
    void runwayPhrase();
    void expand_data();
    void expand();
    void expansionIsBounded_data();
    void expansionIsBounded();
    void changeList_data();
    void changeList();
    void newAtisPrompt();
};

void TestComposition::runwayPhrase_data()
{
    QTest::addColumn<QStringList>("landing");
    QTest::addColumn<QStringList>("departing");
    QTest::addColumn<bool>("visual");
    QTest::addColumn<bool>("lahso");
    QTest::addColumn<QString>("phrase");
    const QStringList none;
    QTest::newRow("nothing") << none << none << false << false << "";
    QTest::newRow("visual only") << none << none << true << false << "Visual approaches in use.";
    QTest::newRow("LAHSO only") << none << none << false << true << "LAHSOs in effect.";
    QTest::newRow("landing 4R") << QStringList{"4R"} << none << false << false << "Landing rwy 4R.";
    QTest::newRow("two landing, one departing")
        << QStringList{"4L", "4R"} << QStringList{"9"} << false << false
        << "Landing rwys 4L & 4R. Departing rwy 9.";
    QTest::newRow("departing only")
        << none << QStringList{"4L", "9"} << false << false << "Departing rwys 4L & 9.";
    QTest::newRow("three landing") << QStringList{"13L", "13R", "22L"} << none << false << false
                                   << "Landing rwys 13L, 13R & 22L.";
    QTest::newRow("same single") << QStringList{"4R"} << QStringList{"4R"} << false << false
                                 << "Landing & departing runway 4R.";
    QTest::newRow("same pair") << QStringList{"13L", "13R"} << QStringList{"13L", "13R"} << false
                               << false << "Landing & departing runways 13L & 13R.";
    QTest::newRow("lists differ") << QStringList{"4L", "4R"} << QStringList{"4R"} << false << false
                                  << "Landing rwys 4L & 4R. Departing rwy 4R.";
    QTest::newRow("everything")
        << QStringList{"4R"} << QStringList{"4L"} << true << true
        << "Landing rwy 4R. Departing rwy 4L. Visual approaches in use. LAHSOs in effect.";
    QTest::newRow("landing and visual") << QStringList{"4R"} << none << true << false
                                        << "Landing rwy 4R. Visual approaches in use.";
    QTest::newRow("same with LAHSO") << QStringList{"4R"} << QStringList{"4R"} << false << true
                                     << "Landing & departing runway 4R. LAHSOs in effect.";
}

void TestComposition::runwayPhrase()
{
    QFETCH(QStringList, landing);
    QFETCH(QStringList, departing);
    FakeForm form;
    for (const char* id : {"4L", "4R", "9", "13L", "13R", "22L"})
        form.addRunway(QString::fromLatin1(id), landing.contains(QLatin1String(id)),
                       departing.contains(QLatin1String(id)));
    QFETCH(bool, visual);
    QFETCH(bool, lahso);
    form.visual = visual;
    form.lahso = lahso;
    QTEST(BuildRunwayPhrase(form), "phrase");
}

void TestComposition::expand_data()
{
    QTest::addColumn<QString>("templ");
    QTest::addColumn<QString>("expected");
    QTest::newRow("radar client functions")
        << "Information %id% Winds $wind(%icao%) Alt $altim(%icao%) Sky %clouds%"
        << "Information BRAVO Winds $wind(KJFK) Alt $altim(KJFK) Sky FEW015 BKN035 OVC050";
    QTest::newRow("one-line ATIS")
        << "%icao% information %id% %time%. Wind %wind%. Visibility %vis%. %precip% Sky %sky%. "
           "Temperature %temp%, dew point %dewpoint%. Altimeter %altimeter%. %runways% Advise you "
           "have information %id%."
        << "KJFK information BRAVO 121653Z. Wind 17011KT. Visibility 10SM. -RA Sky FEW015 BKN035 "
           "OVC050. Temperature 12, dew point 09. Altimeter 2992. Landing rwy 16L. Advise you have "
           "information BRAVO.";
    QTest::newRow("second line runways") << "ATIS %id%\r\n%runways%"
                                         << "ATIS BRAVO\r\nLanding rwy 16L.";
    QTest::newRow("colon becomes blank first") << "Winds: %wind%"
                                               << "Winds  17011KT";
    QTest::newRow("synonyms and repeats") << "%wind% %winds% %wind% %alt% %altim% %altimeter%"
                                          << "17011KT 17011KT 17011KT 2992 2992 2992";
    QTest::newRow("case and near misses stay") << "%ICAO% %Wind% %windy% %vbCrLf% %"
                                               << "%ICAO% %Wind% %windy% %vbCrLf% %";
    QTest::newRow("all the rest")
        << "%visibility%|%sky%|%precipitation%|%temperature%|%dew%|%metar%|%profile%"
        << "10SM|FEW015 BKN035 OVC050|-RA|12|09|KJFK 121653Z: x|%icao% %wind%";
    QTest::newRow("inserted colon stays, inserted variable expanded later") << "%metar%"
                                                                            << "KJFK 121653Z: x";
    QTest::newRow("empty") << ""
                           << "";
}

void TestComposition::expand()
{
    QFETCH(QString, templ);
    TemplateValues v;
    v.icao = QStringLiteral("KJFK");
    v.informationCode = QStringLiteral("BRAVO");
    v.metar.Metar = QStringLiteral("KJFK 121653Z: x");
    v.metar.ObservationTime = QStringLiteral("121653Z");
    v.metar.Wind = QStringLiteral("17011KT");
    v.metar.Visibility = QStringLiteral("10SM");
    v.metar.Precip = QStringLiteral("-RA");
    v.metar.Sky = QStringLiteral("FEW015 BKN035 OVC050");
    v.metar.Temperature = QStringLiteral("12");
    v.metar.DewPoint = QStringLiteral("09");
    v.metar.Altimeter = QStringLiteral("2992");
    v.runways = QStringLiteral("Landing rwy 16L.");
    v.profile = QStringLiteral("%icao% %wind%"); // inserted last: never expanded
    QTEST(std::get<QString>(ExpandTemplate(templ, v)), "expected");
}

void TestComposition::expansionIsBounded_data()
{
    QTest::addColumn<QString>("templ");
    QTest::addColumn<QString>("wind");
    QTest::addColumn<QString>("metar");
    QTest::addColumn<QString>("atis"); // empty: refused
    const QString limit(65536, u'M');
    const QString none;
    QTest::newRow("at the limit") << "%metar%" << none << limit << limit;
    QTest::newRow("one past the limit") << "%metar%." << none << limit << none;
    QTest::newRow("template past the limit") << QString(65537, u'T') << none << none << none;
    const QString most(60000, u'M');
    QTest::newRow("room for the one occurrence")
        << "%metar%" + QString(20, u'x') << none << most << most + QString(20, u'x');
    // Variables inside a reply are expanded by later steps: each %metar% in
    // the wind takes the whole reply again.
    const QString wind = QString("%metar%").repeated(9000) + "KT";
    QTest::newRow("reply full of variables") << "%wind%" << wind << "KJFK 121651Z " + wind << none;
    const QString longWind = QString("%metar%").repeated(150000) + "KT";
    QTest::newRow("1 MiB reply") << "%wind% %metar%" << longWind << "KJFK 121651Z " + longWind
                                 << none;
}

void TestComposition::expansionIsBounded()
{
    QFETCH(QString, templ);
    QFETCH(QString, wind);
    QFETCH(QString, metar);
    QFETCH(QString, atis);
    TemplateValues v;
    v.metar.Wind = wind;
    v.metar.Metar = metar;
    const auto result = ExpandTemplate(templ, v);
    if (!atis.isEmpty()) {
        const QString* text = std::get_if<QString>(&result);
        QVERIFY(text);
        QCOMPARE(*text, atis);
        return;
    }
    const Failure* failure = std::get_if<Failure>(&result);
    QVERIFY(failure);
    QCOMPARE(failure->number, 2001);
    QCOMPARE(failure->description, "The ATIS would be longer than 65536 characters.");
}

void TestComposition::changeList_data()
{
    QTest::addColumn<AtisElements>("previous");
    QTest::addColumn<QString>("lastKey");
    QTest::addColumn<QString>("line");
    const AtisElements now{"27010KT", "10SM", "FEW050", "-RA", "3012", "12", "09"};
    AtisElements windAlt = now;
    windAlt.Wind = "27005KT";
    windAlt.Altimeter = "3010";
    QTest::newRow("first ATIS") << AtisElements{} << ""
                                << "";
    QTest::newRow("nothing changed") << now << "KJFK121651Z"
                                     << "";
    QTest::newRow("winds and altimeter") << windAlt << "KJFK121651Z"
                                         << "\r\n\r\nChanged: winds, altimeter.";
    QTest::newRow("all seven")
        << AtisElements{"a", "b", "c", "d", "e", "f", "g"} << "KJFK121651Z"
        << "\r\n\r\nChanged: winds, visibility, sky cond, precip, altimeter, temp, dewpoint.";
    AtisElements caseOnly = now;
    caseOnly.Sky = "few050";
    QTest::newRow("case counts") << caseOnly << "K"
                                 << "\r\n\r\nChanged: sky cond.";
}

void TestComposition::changeList()
{
    QFETCH(AtisElements, previous);
    QFETCH(QString, lastKey);
    const AtisElements now{"27010KT", "10SM", "FEW050", "-RA", "3012", "12", "09"};
    QTEST(BuildChangeList(now, previous, lastKey), "line");
}

void TestComposition::newAtisPrompt()
{
    QCOMPARE(
        NewAtisPrompt("BRAVO", "27010KT", "3012", "10SM", "FEW050 BKN250",
                      "\r\n\r\nChanged: winds, altimeter."),
        QStringLiteral("ATIS BRAVO now current.\r\n\r\nWinds: 27010KT\r\nAltimeter: 3012\r\n"
                       "Visibility: 10SM\r\nSky: FEW050 BKN250\r\n\r\nChanged: winds, altimeter."
                       "\r\n\r\nPress OK to copy to clipboard."));
    QCOMPARE(NewAtisPrompt("ALPHA", "w", "a", "v", "s", QString()),
             QStringLiteral(
                 "ATIS ALPHA now current.\r\n\r\nWinds: w\r\nAltimeter: a\r\nVisibility: v\r\n"
                 "Sky: s\r\n\r\nPress OK to copy to clipboard."));
}

QTEST_GUILESS_MAIN(TestComposition)
#include "test_composition.moc"
