// The pure pieces of an ATIS: runway phrase, template expansion, spoken
// forms, and the check of the ATIS before it goes on the air.
#include "core/atischeck.h"
#include "core/composition.h"
#include "core/metar.h"
#include "core/phrases.h"
#include "core/runwayphrase.h"
#include "core/spokentemplate.h"
#include "core/template.h"
#include "core/templatepresets.h"
#include "core/texts.h"
#include "core/transitionlevel.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

namespace {

TemplateValues values()
{
    const DecodedMetar m{"KSEA 121653Z: x",      "121653Z", "17011KT", "10SM", "-RA",
                         "FEW015 BKN035 OVC050", "12",      "09",      "2992"};
    return {"KSEA", "BRAVO",         m,    "Landing rwy 16L.", "%icao% %wind%",
            "ILS",  "Bird activity", "70", "ARRIVAL"};
}

QString fetched(const char* column)
{
    return *static_cast<QString*>(QTest::qData(column, QMetaType::QString));
}

void row(const char* name, const QString& input, const QString& output)
{
    QTest::newRow(name) << input << output;
}

QString withWind(const QString& wind)
{
    return "KJFK 121651Z " + wind + " 10SM FEW050 12/09 A3012";
}

// One ATIS and what it is checked against.
struct Case
{
    QString templ;
    QString metar = withWind("31010KT");
    QStringList landing{"31L"};
    QStringList departing;
    qint64 ageMinutes = 10;
    QString requested = "KJFK";
    TransitionLevelTable transitionLevels;
};

// Built and checked as the window's cycle does, in Windows' Western code page.
QStringList check(const Case& c)
{
    const AtisInputs in{.profile = {.icao = c.requested,
                                    .templateText = c.templ,
                                    .transitionLevels = c.transitionLevels},
                        .informationCode = "DELTA",
                        .metar = *DecodeMetar(c.metar),
                        .runwaysAskedFor = RunwayUse{c.landing, c.departing, false, false}};
    return CheckAtis({std::get<ComposedAtis>(ComposeAtis(in)), in.runways(), c.requested,
                      c.ageMinutes, "windows-1252"});
}

void windRow(const char* name, const QString& wind, const QStringList& landing,
             const QStringList& findings, const QStringList& departing = {})
{
    QTest::newRow(name) << wind << landing << departing << findings;
}

} // namespace
Q_DECLARE_METATYPE(TransitionLevelTable)

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

    void expand_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("expected");
        row("radar client functions", "Info %id% Winds $wind(%icao%) Sky %clouds%",
            "Info BRAVO Winds $wind(KSEA) Sky FEW015 BKN035 OVC050");
        QTest::newRow("every variable")
            << "%time% %vis% %visibility% %precip% %precipitation% %temp% %temperature% %dew% "
               "%dewpoint% %wind% %winds% %alt% %altim% %altimeter% %altwords% %sky%\r\n%runways% "
               "%approach% %remarks% %tl% %type%"
            << "121653Z 10SM 10SM -RA -RA 12 12 09 09 17011KT 17011KT 2992 2992 2992 TWO NINER "
               "NINER TWO FEW015 BKN035 OVC050\r\nLanding rwy 16L. ILS Bird activity 70 ARRIVAL";
        row("colon a blank first", "Winds: %wind%", "Winds  17011KT");
        row("inserted: kept as it is", "%metar%|%profile%", "KSEA 121653Z: x|%icao% %wind%");
        row("case and near misses", "%ICAO% %windy% %vbCrLf% %", "%ICAO% %windy% %vbCrLf% %");
    }
    void expand()
    {
        QTEST(std::get<QString>(ExpandTemplate(fetched("templ"), values())), "expected");
    }

    // A combined ATIS has no %type%: the words around it meet with one blank,
    // no line begins or ends with one, and none stands before a full stop.
    void emptyVariableLeavesNoDoubleBlank()
    {
        TemplateValues combined = values();
        combined.atisType.clear();
        QCOMPARE(
            std::get<QString>(ExpandTemplate("%icao% %type% information %id%\r\n"
                                             "%type% arrivals %type%\r\n%type%\r\n%id% %type%.",
                                             combined)),
            "KSEA information BRAVO\r\narrivals\r\n\r\nBRAVO.");
    }

    // %tl% of each preset at and around every boundary; an A group (inches
    // of mercury x 100) converted to hPa and rounded down. Empty: no level.
    void transitionLevelOfEachPreset_data()
    {
        QTest::addColumn<QString>("altimeter"); // the report's group
        QTest::addColumn<QString>("germany");
        QTest::addColumn<QString>("austria");
        QTest::addColumn<QString>("london");
        const auto row = [](const char* altimeter, const char* germany, const char* austria,
                            const char* london) {
            QTest::newRow(altimeter) << altimeter << germany << austria << london;
        };
        row("Q0942", "", "", "");
        row("Q0943", "80", "130", "90");
        row("Q0977", "80", "130", "80");
        row("Q0978", "70", "120", "80");
        row("Q1013", "70", "120", "70");
        row("Q 1014", "60", "110", "70");
        row("Q1051", "", "100", "");
        row("Q1061", "", "", "");
        row("A2888", "80", "130", "80"); // 977.99 hPa
        row("A2889", "70", "120", "80"); // 978.33 hPa
        row("RMK", "", "", "");
    }
    void transitionLevelOfEachPreset()
    {
        QFETCH(QString, altimeter);
        const auto preset = [](const QString& name) {
            for (const TransitionLevelPreset& p : TransitionLevelPresets())
                if (QString(p.name).startsWith(name))
                    return p.table;
            qFatal("no preset %s", qPrintable(name));
        };
        QTEST(TransitionLevelText(preset("Germany"), altimeter), "germany");
        QTEST(TransitionLevelText(preset("Austria"), altimeter), "austria");
        QTEST(TransitionLevelText(preset("London Heathrow"), altimeter), "london");
        QCOMPARE(TransitionLevelText({}, altimeter), "");
    }

    void expansionIsBounded_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("metar"); // also the wind
        QTest::addColumn<bool>("refused");
        QTest::newRow("at the limit") << "%metar%" << QString(65536, u'M') << false;
        QTest::newRow("one past") << "%metar%." << QString(65536, u'M') << true;
        // Room for the one %metar% there is, not for as many as the text could hold.
        QTest::newRow("at the limit after text")
            << "%metar%.........." << QString(65526, u'M') << false;
        QTest::newRow("template past") << QString(65537, u'T') << "" << true;
        // Later steps expand the variables in a reply: each %metar% takes it whole again.
        const QString variables = QString("%metar%").repeated(9000);
        QTest::newRow("reply of variables") << "%wind%" << variables << true;
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
            {"wind FAA", "24015G25KT 200V280",
             "two four zero at one five, gusts two five, "
             "variable between two zero zero and two eight zero"},
            {"wind ICAO", "24015G25KT 200V280",
             "two four zero degrees one five knots, gusting two five knots, "
             "variable between two zero zero and two eight zero degrees"},
            {"wind ICAO", "VRB03KT", "variable three knots"},
            {"wind FAA", "27004MPS", "two seven zero at four meters per second"},
            {"wind ICAO", "27004MPS", "two seven zero degrees four metres per second"},
            {"wind FAA", "///22KT", "direction not reported, two two knots"},
            {"wind ICAO", "080//KT", "zero eight zero degrees, speed not reported"},
            {"visibility FAA", "2 1/2SM", "two and one half"},
            {"visibility FAA", "M1/4SM", "less than one quarter"},
            {"visibility FAA", "9999", "one zero kilometers or more"},
            {"visibility ICAO", "9999 4000SE",
             "one zero kilometres or more, minimum four thousand metres to the southeast"},
            {"visibility ICAO", "CAVOK", "CAVOK"},
            {"weather", "VCSH RA/", "showers in the vicinity, rain"},
            {"weather", "+FC BLDU", "tornado or waterspout, blowing dust"},
            // An automatic station that sees neither the weather nor the clouds.
            {"report ICAO", "YBDV 011200Z AUTO 20005KT //// // ////// 10/M03 Q1020",
             "one two zero zero Zulu, wind two zero zero degrees five knots, visibility not "
             "reported, "
             "weather not reported, sky not reported, temperature one zero, dew point minus "
             "three, Q N H one zero two zero"},
            // The voice tells the weather the text tells, the remarks aside.
            {"report ICAO",
             "EDDF 121650Z 24010KT 6000 R25R/P1500 R07L/0600V1000U BR SCT008 08/07 Q1016 "
             "RETSRA WS R25R TEMPO FM1700 35018G25KT 0800 +TSRAGR BKN020CB BECMG NSW RMK X1",
             "one six five zero Zulu, wind two four zero degrees one zero knots, visibility six "
             "kilometres, "
             "runway two five right visual range more than one thousand five hundred metres, "
             "runway zero seven left visual range variable from six hundred to one thousand "
             "metres, increasing, mist, sky scattered eight hundred, temperature eight, dew point "
             "seven, Q N H one zero one six, recent thunderstorm with rain, wind shear runway "
             "two five right, tempo from one seven zero zero, wind three five zero degrees one "
             "eight "
             "knots, gusting two five knots, visibility eight hundred metres, thunderstorm with "
             "heavy rain and "
             "hail, broken two thousand cumulonimbus, becoming no significant weather"},
            {"report ICAO",
             "URSS 011200Z 27006MPS 9999 SCT050 25/12 Q1019 WS ALL RWY R02/010070 NOSIG",
             "one two zero zero Zulu, wind two seven zero degrees six metres per second, "
             "visibility "
             "one zero kilometres or more, sky scattered five thousand, temperature two five, dew "
             "point one two, Q N H one zero one niner, wind shear all runways, no significant "
             "change"},
            // The FAA names the ceiling: the first layer broken or overcast, or the sky obscured.
            {"sky FAA", "FEW025 BKN045 OVC250CB",
             "few clouds at two thousand five hundred, ceiling four thousand five hundred broken, "
             "two five thousand overcast cumulonimbus"},
            {"sky FAA", "VV002", "indefinite ceiling two hundred"},
            {"sky ICAO", "VV002", "vertical visibility two hundred"},
            {"sky ICAO", "BKN060SC BKN///", "broken six thousand, broken, height unknown"},
            {"pressure", "Q0998", "Q N H niner niner eight"},
            {"pressure", "A2992", "altimeter two niner niner two"},
            {"code", "X-RAY", "X-ray"},
            {"letters", "zbaa 9", "Zulu Bravo Alpha Alpha niner"}};
        for (const auto& [part, text, spoken] : rows)
            QTest::addRow("%s %s", part, text) << part << text << spoken;
    }
    void spoken()
    {
        QMap<QString, std::function<QString(const QString&)>> parts = {
            {"weather", Spoken::weather},
            {"pressure",
             [](const QString& group) {
                 const DecodedMetar m{.Altimeter = group.mid(1), .PressureLetter = group.left(1)};
                 return Spoken::pressureWord(m) + ' ' + Spoken::pressure(m);
             }},
            {"code", Spoken::informationCode},
            {"letters", Spoken::letters}};
        for (const auto& [name, phrasing] :
             {std::pair{" FAA", Phrasing::Faa}, {" ICAO", Phrasing::Icao}}) {
            parts["wind" + QString(name)] = [=](const QString& t) {
                return Spoken::wind(t, phrasing);
            };
            parts["visibility" + QString(name)] = [=](const QString& t) {
                return Spoken::visibility(t, phrasing);
            };
            parts["sky" + QString(name)] = [=](const QString& t) {
                return Spoken::sky(t, phrasing);
            };
            parts["report" + QString(name)] = [=](const QString& reply) {
                DecodedMetar metar = *DecodeMetar(reply);
                FinishAltimeterAndVisibility(metar);
                return Spoken::metar(metar, phrasing);
            };
        }
        QTEST(parts.value(fetched("part"))(fetched("text")), "spoken");
    }

    void speakTemplate_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("spoken");
        row("default template", Texts::DefaultTemplate,
            "John Doe, S-3. Information Bravo Winds one seven zero at one one altimeter two "
            "niner niner two Sky few clouds at one thousand five hundred, ceiling three thousand "
            "five hundred broken, five thousand overcast. Landing runway one six left.");
        row("METAR of this airport, not of another",
            "METAR $metar(%icao%)\r\nElsewhere $wind(KJFK) unknown",
            "METAR one six five three Zulu, wind one seven zero at one one, visibility one "
            "zero, light rain, few clouds at one thousand five hundred, ceiling three "
            "thousand five hundred broken, five thousand overcast, temperature one two, dew "
            "point niner, altimeter two niner niner two. Elsewhere unknown.");
        row("every variable",
            "%icao% %id% %time% %wind% %winds% %vis% %visibility% %sky% %clouds%\r\n"
            "%precip% %precipitation% %alt% %altim% %altimeter% %temp% %temperature%\r\n"
            "%dew% %dewpoint% %runways% %approach% %remarks% %tl% %type% %profile%",
            // Each element not named just before is said with its name.
            "Kilo Sierra Echo Alpha Bravo one six five three Zulu wind one seven zero at one one "
            "wind one seven zero at one one visibility one zero visibility one zero few clouds at "
            "one thousand five hundred, ceiling three thousand five hundred broken, five thousand "
            "overcast few clouds at one thousand five hundred, ceiling three thousand five hundred "
            "broken, five thousand overcast. light rain light rain altimeter two niner niner two "
            "altimeter two niner niner two altimeter two niner niner two temperature one two "
            "temperature one two. dew point niner dew point niner Landing runway one six left. "
            "I L S Bird activity transition level seven zero arrival %icao% %wind%.");
        row("abbreviations, airport spelt",
            "%icao% ILS rwy 34R & 34L APCH, LAHSO. NOTAMS: TWY A CLSD %ICAO% 100%",
            "Kilo Sierra Echo Alpha I L S runway three four right and three four left "
            "approach, land and hold short operations. notices to airmen taxiway A closed "
            "%ICAO% 100%.");
        // What an ATIS writes in free text is said as it means it; a variable
        // glued to a word makes one word with it.
        row("flight levels", "Climb FL%tl%, then FL100",
            "Climb flight level seven zero, then flight level one hundred.");
        row("transition level abbreviated", "TRL %tl%", "transition level seven zero.");
        row("time", "Closed until 1650Z", "Closed until one six five zero Zulu.");
        // Groups alone, as a D-ATIS writes them, are said with their names;
        // a name the template says, or a tag in brackets, is said once.
        row("groups named, the altimeter said once",
            "%wind% %vis% %temp%/%dew% A%alt% (%altwords%).",
            "wind one seven zero at one one visibility one zero temperature one two, dew point "
            "niner altimeter two niner niner two.");
        row("names said before, tags", "Winds: %wind%, TEMP %temp%\r\n[QNH] %alt%",
            "Winds one seven zero at one one, temperature one two. altimeter two niner niner two.");
        row("runway written as one word", "RWY27 and 09 closed",
            "runway two seven and zero niner closed.");
        row("QNH in hectopascals", "Q1013, QNH0998",
            "Q N H one zero one three, Q N H niner niner eight.");
        row("frequency", "Tower 118.7MHz", "Tower one one eight decimal seven megahertz.");
        row("wind group", "Wind 24015G25KT", "Wind two four zero at one five, gusts two five.");
    }
    void speakTemplate() { QTEST(SpeakTemplate(fetched("templ"), values()), "spoken"); }

    // A profile whose text form is words writes each element of the report
    // in words, in its phrasing; the voice stays as it is.
    void textInWords_data()
    {
        QTest::addColumn<QString>("phrasing");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("words");
        const auto row = [](const char* name, const char* phrasing, const char* report,
                            const char* templ, const char* words) {
            QTest::newRow(name) << phrasing << report << templ << words;
        };
        const char* moscow = "UUEE 011200Z 29004MPS 9999 SCT050 25/12 Q1019 NOSIG";
        const char* kennedy =
            "KJFK 121651Z VRB03G12KT 2 1/2SM -RA FEW025 BKN045 M01/M03 A2992 RMK AO2";
        const char* rome = "LIRF 121650Z 00000KT CAVOK 22/14 Q0998";
        row("ICAO layers, time, QNH", "ICAO", moscow, "%time% CLOUDS %sky% QNH %alt%",
            "1200 ZULU CLOUDS SCATTERED 5000 QNH 1019");
        row("FAA variable wind with gusts", "FAA", kennedy, "WIND %wind%",
            "WIND VARIABLE AT 3, GUSTS 12");
        row("FAA fraction, weather, ceiling named", "FAA", kennedy, "%vis% %precip% %sky%",
            "2 1/2 LIGHT RAIN FEW CLOUDS AT 2500, CEILING 4500 BROKEN");
        row("CAVOK and calm; QNH below 1000 in three digits", "ICAO", rome,
            "%wind% %vis% %clouds% QNH %alt%", "CALM CAVOK NO SIGNIFICANT CLOUD QNH 998");
        row("whole report, remarks left out", "FAA", kennedy, "%metar%",
            "1651 ZULU, WIND VARIABLE AT 3, GUSTS 12, VISIBILITY 2 1/2, LIGHT RAIN, FEW CLOUDS AT "
            "2500, CEILING 4500 BROKEN, TEMPERATURE MINUS 1, DEW POINT MINUS 3, ALTIMETER 2992");
        row("what is no element stays as written", "ICAO", rome, "%icao% INFORMATION %id% %tl%",
            "LIRF INFORMATION DELTA 70");
    }
    void textInWords()
    {
        QFETCH(QString, templ);
        AtisInputs in{.profile = {.icao = fetched("report").left(4),
                                  .templateText = templ,
                                  .transitionLevels = {{990, 1030, 70}},
                                  .phrasing = ParsePhrasing(fetched("phrasing"))},
                      .informationCode = "DELTA",
                      .metar = *DecodeMetar(fetched("report"))};
        const ComposedAtis groups = std::get<ComposedAtis>(ComposeAtis(in));
        in.profile.textForm = TextForm::Words;
        const ComposedAtis words = std::get<ComposedAtis>(ComposeAtis(in));
        QTEST(words.text, "words");
        QCOMPARE(words.spoken(), groups.spoken());
    }

    // Each preset writes a ready ATIS in its region's words, and takes the
    // airport codes of that region.
    void presetsGiveAReadyAtis_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* preset, const char* report, const char* text) {
            QTest::newRow(preset) << report << text;
        };
        row("USA (D-ATIS)", "KJFK 121651Z 31010KT 10SM FEW050 12/09 A3012",
            "KJFK ATIS INFO DELTA 121651Z.\r\n31010KT 10SM FEW050 12/09 A3012 (THREE ZERO ONE "
            "TWO).\r\nLanding rwy 27.\r\nADVS YOU HAVE INFO DELTA.");
        row("Northern Europe", "EDDF 121650Z 24010KT 9999 SCT030 08/04 Q1016 NOSIG",
            "THIS IS EDDF INFORMATION DELTA.\r\nLanding rwy 27.\r\nTRANSITION LEVEL 70.\r\n1650 "
            "ZULU, WIND 240 DEGREES 10 KNOTS, VISIBILITY 10 KILOMETERS, SKY SCATTERED 3000, "
            "TEMPERATURE 8, DEW POINT 4, QNH 1016, NO SIGNIFICANT CHANGE.\r\nACKNOWLEDGE RECEIPT "
            "OF INFORMATION DELTA AND ADVISE AIRCRAFT TYPE ON FIRST CONTACT.");
        row("Southern Europe, Mediterranean", "LIRF 121650Z 18005KT CAVOK 22/14 Q1015",
            "LIRF INFORMATION DELTA.\r\nLanding rwy 27.\r\nTRANSITION LEVEL 70.\r\n1650 ZULU, "
            "WIND 180 DEGREES 5 KNOTS, CAVOK, TEMPERATURE 22, DEW POINT 14, QNH 1015.\r\nADVISE "
            "ON INITIAL CONTACT YOU HAVE INFORMATION DELTA.");
        row("Russia, CIS", "UUEE 121700Z 29004MPS 9999 SCT050 25/12 Q1019 NOSIG",
            "UUEE ATIS INFORMATION DELTA.\r\nLanding rwy 27.\r\nTRANSITION LEVEL 70.\r\n1700 "
            "ZULU, WIND 290 DEGREES 4 MPS, VISIBILITY 10 KILOMETERS, SKY SCATTERED 5000, "
            "TEMPERATURE 25, DEW POINT 12, QNH 1019, NO SIGNIFICANT CHANGE.\r\nACKNOWLEDGE "
            "RECEIPT OF INFORMATION DELTA.");
        row("Canada", "CYYZ 121700Z 27010KT 15SM BKN045 M01/M06 A2992",
            "CYYZ INFORMATION DELTA.\r\n1700 ZULU, WIND 270 AT 10, VISIBILITY 15, CEILING 4500 "
            "BROKEN, TEMPERATURE MINUS 1, DEW POINT MINUS 6, ALTIMETER 2992.\r\nLanding rwy "
            "27.\r\nADVISE ATC YOU HAVE INFORMATION DELTA.");
        row("Australia", "YSSY 121700Z 27010KT 9999 FEW020 14/08 Q1013",
            "YSSY INFORMATION DELTA 1700 ZULU.\r\n[RWY] Landing rwy 27.\r\n[WND] 270 DEGREES 10 "
            "KNOTS.\r\n[VIS] 10 KILOMETERS.\r\n[CLD] FEW 2000.\r\n[TMP] 14.\r\n[QNH] "
            "1013.\r\nON FIRST CONTACT NOTIFY RECEIPT OF DELTA.");
    }
    void presetsGiveAReadyAtis()
    {
        const QString icao = fetched("report").left(4);
        const TemplatePreset& preset = TemplatePresets().at(TemplatePresetFor(icao));
        QCOMPARE(QString(preset.name), QTest::currentDataTag());
        const AtisInputs in{
            .profile = StartedFrom({.icao = icao, .transitionLevels = {{943, 1050, 70}}}, preset),
            .informationCode = "DELTA",
            .metar = *DecodeMetar(fetched("report")),
            .runwaysAskedFor = RunwayUse{{"27"}, {}, false, false}};
        QTEST(std::get<ComposedAtis>(ComposeAtis(in)).text, "text");
    }

    // "Sky" is said once before "sky clear".
    void clearSkyAndCavok()
    {
        TemplateValues v = values();
        v.metar = {"", "121653Z", "00000KT", "CAVOK", "", "SKC", "M01", "M02", "1013"};
        QCOMPARE(SpeakTemplate("Sky: %sky%. Visibility %vis%.", v), "Sky clear. Visibility CAVOK.");
    }

    // Every report shape of the bundled sample, the fuzzing seeds and the list
    // below, spoken whole and through a template: no group is left as written
    // (a digit, a slash, or two capitals in a row, the word CAVOK aside);
    // written in words, none a speech engine misreads; through the preset of
    // its region, no finding but the weather's own and a report without a QNH.
    void spokenReportsHoldNoRawGroup()
    {
        QStringList replies = QStringList{
            "LIRF 121650Z 18005MPS 9999 // CAVOK// 22/14 Q1015",
            "KBOS 121654Z AUTO 31012KTS 2 1/2SM -SN BR OVC008 M03/ RMK",
            "KJFK 121651Z 00000KT M1/4SM FZFG VV/// XX/XX Q 1013",
            "EDDF 121650Z 24010KT 200V270 6000 R25R/P1500 BR SCT008 BKN012 08/07 101.3",
            "ESSA 121650Z 22012KT P6SM CLR SKC FEW020CU BKN060SC BKN/// FEW015/// 05/01 QXXXX",
            "EKCH 121650Z AUTO 27015KT 9999NDV ////// NCD NSC SCT012CB BKN014TCU 08/04 Q1008",
            "EHAM 121655Z 24012KT 10KM -SHRA VCTS RA/ +SHRASN BLSN BCFG 10/05 Q1012",
            "EHAM 121655Z /////KT //// // ///////// /////// Q////",
            "CWIL 141500Z AUTO 36002KT M00/ A2981 RMK SLP103",
            "EGLL 121650Z ///22KT 080V120 0800NE +FC BLDU DRSA VV/// 12/10 Q0998 REFZRA WS ALL RWY",
            "EGLL 121650Z 080//KT 9999 4000SE R27/2000V4000FT/U BKN010 12/10 Q1023 R27/CLRD70 "
            "BECMG AT1800 2 1/2SM -SN BR OVC008 VV002 TEMPO 35018G25MPS 0800 +TSRAGR NOSIG",
            "UUEE 121700Z 29004MPS 9999 -SHRA SCT050CB 25/12 Q1019 NOSIG",
            "YSSY 121700Z 27010KT 9999 FEW020 SCT040 14/08 Q1013"};
        QStringList files{BRIEFCAST_SOURCE_DIR "/tools/localwx/sample-metars.txt"};
        const QDir seeds(BRIEFCAST_SOURCE_DIR "/fuzz/corpus/fuzz_metar");
        for (const QString& name : seeds.entryList(QDir::Files))
            files << seeds.filePath(name);
        for (const QString& file : files)
            replies << QString::fromUtf8(readFile(file)).split('\n', Qt::SkipEmptyParts);
        const QString templ = "Winds $wind(%icao%) Alt $altim(%icao%) Vis %vis% Sky %clouds%";
        static const QRegularExpression raw("\\S*(?:[0-9]|/|[A-Z]{2})\\S*");
        int spoken = 0;
        for (const QString& reply : replies) {
            std::optional<DecodedMetar> metar = DecodeMetar(NormaliseMetarReply(reply));
            if (!metar)
                continue; // comments, the no-METAR answer
            FinishAltimeterAndVisibility(*metar);
            TemplateValues v;
            v.icao = reply.left(4);
            v.informationCode = "ALPHA";
            v.metar = *metar;
            const QString words = Spoken::metar(*metar, Phrasing::Icao) + ' ' +
                                  Spoken::metar(*metar, Phrasing::Faa) + ' ' +
                                  SpeakTemplate(templ, v);
            QVERIFY2(!raw.match(QString(words).remove("CAVOK")).hasMatch(),
                     qPrintable(reply + " => " + words));
            // Written in words, no group is left for a speech engine to misread.
            for (const Phrasing phrasing : {Phrasing::Icao, Phrasing::Faa})
                QCOMPARE(WordsReadWronglyAloud(Written::metar(*metar, phrasing)), QStringList());
            // The preset of the report's region gives the check nothing of its
            // own to find.
            if (const int preset = TemplatePresetFor(v.icao); preset >= 0) {
                const AtisInputs in{.profile =
                                        StartedFrom({.icao = v.icao}, TemplatePresets().at(preset)),
                                    .metar = *DecodeMetar(NormaliseMetarReply(reply))};
                for (const QString& finding : CheckAtis({std::get<ComposedAtis>(ComposeAtis(in)),
                                                         {{"27"}, {}, false, false},
                                                         v.icao,
                                                         {},
                                                         ""}))
                    QVERIFY2(finding.startsWith("%tl%") || finding.contains("wind"),
                             qPrintable(reply + " => " + finding));
            }
            ++spoken;
        }
        QCOMPARE(spoken, 13 + 5 + 3);
    }

    // A profile that names no phrasing speaks its airport's: FAA for K, P and C.
    void phrasingOfAProfileThatNamesNone()
    {
        for (const auto& [icao, phrasing] : {std::pair{"KSEA", Phrasing::Faa},
                                             {"phnl", Phrasing::Faa},
                                             {"CYYZ", Phrasing::Faa},
                                             {"EGLL", Phrasing::Icao},
                                             {"UUEE", Phrasing::Icao},
                                             {"", Phrasing::Icao}})
            QCOMPARE(Profile{.icao = icao}.phrasingInUse(), phrasing);
        QCOMPARE((Profile{.icao = "KSEA", .phrasing = Phrasing::Icao}.phrasingInUse()),
                 Phrasing::Icao);
    }

    void windAndDirectionsOfTheTickedRunways_data()
    {
        QTest::addColumn<QString>("wind");
        QTest::addColumn<QStringList>("landing");
        QTest::addColumn<QStringList>("departing");
        QTest::addColumn<QStringList>("findings");
        const QStringList none, on27{"Tailwind 6 kt on runway 27"};
        windRow("tail 5", "09005KT", {"27"}, none);
        windRow("tail 6", "09006KT", {"27"}, on27);
        windRow("gust 6 from behind", "09003G06KT", {"27"}, on27);
        windRow("cross 20", "36020KT", {"9"}, none);
        windRow("cross 21", "36021KT", {"9"}, {"Crosswind 21 kt on runway 9"});
        windRow("000 is north", "00006KT", {"18"}, {"Tailwind 6 kt on runway 18"});
        windRow("36 heads 360", "18006KT", {"36"}, {"Tailwind 6 kt on runway 36"});
        windRow("4R heads 040", "22006KT", {"4R"}, {"Tailwind 6 kt on runway 4R"});
        windRow("3 m/s is 6 kt", "27003MPS", {"9"}, {"Tailwind 6 kt on runway 9"});
        windRow("variable 5", "VRB05KT", {"27"}, none);
        windRow("variable 6, every runway", "VRB06KT", {"27"},
                {"Variable wind 6 kt: tailwind possible on runway 27",
                 "Variable wind 6 kt: tailwind possible on runway 36"},
                {"36"});
        windRow("varying round to behind", "32010KT 270V020", {"18"},
                {"Tailwind 10 kt on runway 18"});
        windRow("varying, worst at its end", "20010KT 180V240", {"9"},
                {"Tailwind 9 kt on runway 9"});
        windRow("both, departing once", "22530KT", {"36"},
                {"Tailwind 21 kt on runway 36", "Crosswind 21 kt on runway 36",
                 "Tailwind 25 kt on runway 1"},
                {"36", "1"});
        windRow("landing and departing 90 degrees apart", "00000KT", {"36"}, none, {"9"});
        windRow("landing and departing 100 degrees apart", "00000KT", {"34R", "36"},
                {"Runways in opposite directions: 34R and 10",
                 "Runways in opposite directions: 36 and 10"},
                {"10"});
    }
    void windAndDirectionsOfTheTickedRunways()
    {
        QFETCH(QString, wind);
        QFETCH(QStringList, landing);
        QFETCH(QStringList, departing);
        QTEST(check({.templ = "%wind%",
                     .metar = withWind(wind),
                     .landing = landing,
                     .departing = departing}),
              "findings");
    }

    void eachFinding()
    {
        const QStringList none;
        // Clean, 70 minutes old, for an airport whose code holds a digit.
        QCOMPARE(check({.templ = "%icao% information %id% %time%. Wind %wind%, %runways% Tower "
                                 "118.7 MHz, FL70, 2nd taxiway. %metar%",
                        .metar = "K3J7 121651Z 30015G20KT 270V330 10SM BKN012CB 12/09 A3012 "
                                 "R31L/P1500 M1/4SM RMK AO2 RAB22 SLP201",
                        .ageMinutes = 70,
                        .requested = "K3J7"}),
                 none);
        QCOMPARE(check({.templ = "Wind %wnd%, %Wind%, %wind%"}),
                 (QStringList{"Not a variable: %wnd%", "Not a variable: %Wind%"}));
        QCOMPARE(check({.templ = "%runways%", .landing = {}}),
                 QStringList{"No runway ticked for %runways%"});
        QCOMPARE(check({.templ = "%wind%", .landing = {}}), none);
        QCOMPARE(check({.templ = "%wind%", .requested = "KLGA"}),
                 QStringList{"METAR is for KJFK, not KLGA"});
        QCOMPARE(check({.templ = "%wind%", .ageMinutes = 71}),
                 QStringList{"STALE: this METAR was observed 1 h 11 min ago."});
        QCOMPARE(check({.templ = "Caf\u00e9 closed, \u0141\u00f3d\u017a \u0141ine"}),
                 QStringList{"Sent as \"?\" to the radar client: \u0141 \u017a"});
        QCOMPARE(check({.templ = "Taxi via Y3 to the 3MM mark, Y3"}),
                 QStringList{"Read wrongly aloud: Y3, 3MM"});
        QCOMPARE(check({.templ = "TL %tl%"}),
                 QStringList{"%tl% is empty: no transition level table or no QNH"});
        // A3012 is 1019 hPa.
        QCOMPARE(check({.templ = "TL %tl%", .transitionLevels = {{1000, 1030, 70}}}), none);
        const TransitionLevelTable germany{{943, 977, 80}, {978, 1013, 70}, {1014, 1050, 60}};
        QCOMPARE(check({.templ = "TL %tl%",
                        .metar = "KJFK 121651Z 31010KT 10SM 12/09 Q0942",
                        .transitionLevels = germany}),
                 QStringList{"No transition level for QNH 942 hPa in this profile's table"});
        // Two levels at 1005 hPa: none is guessed, and the table is named until mended.
        QCOMPARE(check({.templ = "TL %tl%",
                        .metar = "KJFK 121651Z 31010KT 10SM 12/09 Q1005",
                        .transitionLevels = {{943, 1013, 80}, {1000, 1050, 60}, {990, 980, 70}}}),
                 (QStringList{"No transition level for QNH 1005 hPa in this profile's table",
                              "Transition level table: The band 990 to 980 hPa ends below its "
                              "start; Two levels for 1000 to 1013 hPa"}));
    }
};

QTEST_GUILESS_MAIN(TestComposition)
#include "test_composition.moc"
