// The pure pieces of an ATIS: runway phrase, template expansion, spoken forms.
#include "core/runwayphrase.h"
#include "core/spokenatis.h"
#include "core/template.h"
#include "core/texts.h"
#include "tests/support/fakeform.h"

#include <QTest>

namespace {

TemplateValues values()
{
    const DecodedMetar m{"KSEA 121653Z: x",      "121653Z", "17011KT", "10SM", "-RA",
                         "FEW015 BKN035 OVC050", "12",      "09",      "2992"};
    return {"KSEA", "BRAVO", m, "Landing rwy 16L.", "%icao% %wind%", "ILS", "Bird activity"};
}

QString fetched(const char* column)
{
    return *static_cast<QString*>(QTest::qData(column, QMetaType::QString));
}

void row(const char* name, const QString& input, const QString& output)
{
    QTest::newRow(name) << input << output;
}

} // namespace

class TestComposition : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void runwayPhrase_data()
    {
        QTest::addColumn<QStringList>("landing");
        QTest::addColumn<QStringList>("departing");
        QTest::addColumn<bool>("visual");
        QTest::addColumn<bool>("lahso");
        QTest::addColumn<QString>("phrase");
        const QStringList none;
        QTest::newRow("nothing") << none << none << false << false << "";
        QTest::newRow("visual only")
            << none << none << true << false << "Visual approaches in use.";
        QTest::newRow("one landing")
            << QStringList{"4R"} << none << false << false << "Landing rwy 4R.";
        QTest::newRow("two, one") << QStringList{"4L", "4R"} << QStringList{"9"} << false << false
                                  << "Landing rwys 4L & 4R. Departing rwy 9.";
        QTest::newRow("three") << QStringList{"13L", "13R", "22L"} << none << false << false
                               << "Landing rwys 13L, 13R & 22L.";
        QTest::newRow("departing only")
            << none << QStringList{"4L", "9"} << false << false << "Departing rwys 4L & 9.";
        QTest::newRow("same one") << QStringList{"4R"} << QStringList{"4R"} << false << false
                                  << "Landing & departing runway 4R.";
        QTest::newRow("same two") << QStringList{"13L", "13R"} << QStringList{"13L", "13R"} << false
                                  << false << "Landing & departing runways 13L & 13R.";
        QTest::newRow("everything")
            << QStringList{"4R"} << QStringList{"4L"} << true << true
            << "Landing rwy 4R. Departing rwy 4L. Visual approaches in use. LAHSOs in effect.";
    }
    void runwayPhrase()
    {
        QFETCH(QStringList, landing);
        QFETCH(QStringList, departing);
        QFETCH(bool, visual);
        QFETCH(bool, lahso);
        QTEST(BuildRunwayPhrase({landing, departing, visual, lahso}), "phrase");
    }

    void runwayUseFollowsTheRowsOfTheWindow()
    {
        FakeForm form;
        form.addRunway("4R", true, false);
        form.addRunway("4L", true, true);
        form.addRunway("9", false, true);
        form.addRunway("33L", false, false);
        form.lahso = true;
        const RunwayUse use = RunwayUseOf(form);
        QCOMPARE(use.landing, (QStringList{"4R", "4L"}));
        QCOMPARE(use.departing, (QStringList{"4L", "9"}));
        QCOMPARE(use.visual, false);
        QCOMPARE(use.lahso, true);
    }

    void expand_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("expected");
        row("radar client functions", "Info %id% Winds $wind(%icao%) Sky %clouds%",
            "Info BRAVO Winds $wind(KSEA) Sky FEW015 BKN035 OVC050");
        QTest::newRow("every variable")
            << "%time% %vis% %visibility% %precip% %precipitation% %temp% %temperature% %dew% "
               "%dewpoint% %wind% %winds% %alt% %altim% %altimeter% %sky%\r\n%runways%"
            << "121653Z 10SM 10SM -RA -RA 12 12 09 09 17011KT 17011KT 2992 2992 2992 FEW015 "
               "BKN035 OVC050\r\nLanding rwy 16L.";
        row("colon a blank first", "Winds: %wind%", "Winds  17011KT");
        row("approach and remarks", "Expect %approach% approach. %remarks%",
            "Expect ILS approach. Bird activity");
        row("inserted: kept as it is", "%metar%|%profile%", "KSEA 121653Z: x|%icao% %wind%");
        row("case and near misses", "%ICAO% %windy% %vbCrLf% %", "%ICAO% %windy% %vbCrLf% %");
    }
    void expand()
    {
        QTEST(std::get<QString>(ExpandTemplate(fetched("templ"), values())), "expected");
    }

    void expansionIsBounded_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("metar"); // also the wind
        QTest::addColumn<bool>("refused");
        QTest::newRow("at the limit") << "%metar%" << QString(65536, u'M') << false;
        QTest::newRow("one past") << "%metar%." << QString(65536, u'M') << true;
        QTest::newRow("template past") << QString(65537, u'T') << "" << true;
        // Later steps expand the variables in a reply: each %metar% takes it whole again.
        const QString variables = QString("%metar%").repeated(9000);
        QTest::newRow("reply of variables") << "%wind%" << variables << true;
        QTest::newRow("1 MiB of them") << "%wind% %metar%" << variables.repeated(17) << true;
    }
    void expansionIsBounded()
    {
        TemplateValues v;
        v.metar.Wind = v.metar.Metar = fetched("metar");
        const auto result = ExpandTemplate(fetched("templ"), v);
        QFETCH(bool, refused);
        if (!refused)
            QCOMPARE(std::get<QString>(result).size(), 65536);
        else
            QCOMPARE(FailureText(std::get<Failure>(result)),
                     "(2001) The ATIS would be longer than 65536 characters.");
    }

    void spoken_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spoken");
        const QList<std::array<const char*, 3>> rows = {
            {"wind", "24015G25KT 200V280",
             "two four zero at one five, gusts two five, "
             "variable between two zero zero and two eight zero"},
            {"wind", "00000KT", "calm"},
            {"wind", "18005MPS", "one eight zero at five meters per second"},
            {"visibility", "9999", "one zero kilometers or more"},
            {"visibility", "CAVOK", "cav okay"},
            {"visibility", "2 1/2SM", "two and one half"},
            {"visibility", "M1/4SM", "less than one quarter"},
            {"visibility", "P6SM", "more than six"},
            {"weather", "-SN BR", "light snow, mist"},
            {"weather", "+TSRA", "thunderstorm with heavy rain"},
            {"sky", "FEW015 BKN035",
             "few one thousand five hundred, broken three thousand five hundred"},
            {"sky", "BKN250CB", "broken two five thousand cumulonimbus"},
            {"sky", "VV///", "vertical visibility not reported"},
            {"temperature", "M01", "minus one"},
            {"temperature", "09", "niner"},
            {"altimeter", "0998", "zero niner niner eight"},
            {"altimeter", "RMK", "not available"},
            {"code", "X-RAY", "X-ray"}};
        for (const auto& [part, text, spoken] : rows)
            QTest::addRow("%s %s", part, text) << part << text << spoken;
    }
    void spoken()
    {
        const QMap<QString, std::function<QString(const QString&)>> parts = {
            {"wind", Spoken::wind},
            {"visibility", Spoken::visibility},
            {"weather", Spoken::weather},
            {"sky", Spoken::sky},
            {"temperature", Spoken::temperature},
            {"altimeter", Spoken::altimeter},
            {"code", Spoken::informationCode}};
        QTEST(parts.value(fetched("part"))(fetched("text")), "spoken");
    }

    void speakTemplate_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("spoken");
        row("default template", Texts::DefaultTemplate,
            "John Doe, S-3. Information Bravo Winds one seven zero at one one altimeter two "
            "niner niner two Sky few one thousand five hundred, broken three thousand five "
            "hundred, overcast five thousand. Landing runway one six left.");
        row("METAR of this airport, not of another",
            "METAR $metar(%icao%)\r\nElsewhere $wind(KJFK) unknown",
            "METAR one six five three Zulu, wind one seven zero at one one, visibility one "
            "zero, light rain, sky few one thousand five hundred, broken three thousand five "
            "hundred, overcast five thousand, temperature one two, dew point niner, altimeter "
            "two niner niner two. Elsewhere unknown.");
        row("every variable",
            "%icao% %id% %time% %wind% %winds% %vis% %visibility% %sky% %clouds%\r\n"
            "%precip% %precipitation% %alt% %altim% %altimeter% %temp% %temperature%\r\n"
            "%dew% %dewpoint% %runways% %approach% %remarks% %profile%",
            "Kilo Sierra Echo Alpha Bravo one six five three Zulu one seven zero at one one one "
            "seven zero at one one one zero one zero few one thousand five hundred, broken three "
            "thousand five hundred, overcast five thousand few one thousand five hundred, broken "
            "three thousand five hundred, overcast five thousand. light rain light rain two niner "
            "niner two two niner niner two two niner niner two one two one two. niner niner "
            "Landing runway one six left. I L S Bird activity %icao% %wind%.");
        row("abbreviations, airport spelt",
            "%icao% ILS rwy 34R APCH, LAHSO. NOTAMS: TWY A CLSD %ICAO% 100%",
            "Kilo Sierra Echo Alpha I L S runway three four right approach, land and hold "
            "short operations. notices to airmen taxiway A closed %ICAO% 100%.");
    }
    void speakTemplate() { QTEST(SpeakTemplate(fetched("templ"), values()), "spoken"); }
};

QTEST_GUILESS_MAIN(TestComposition)
#include "test_composition.moc"
