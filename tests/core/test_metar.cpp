#include "core/asciiregex.h"
#include "core/metar.h"
#include "core/metarage.h"
#include "core/metarmatcher.h"

#include <QRandomGenerator>
#include <QTest>
#include <ctime>

class TestMetar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void workedExamples_data();
    void workedExamples();
    void noMatch_data();
    void noMatch();
    void normalise_data();
    void normalise();
    void classesAreAsciiOnly_data();
    void classesAreAsciiOnly();
    void finish_data();
    void finish();
    void hostileInputIsFast_data();
    void hostileInputIsFast();
    void longAndAmbiguousReplies_data();
    void longAndAmbiguousReplies();
    void sameGroupsAsThePattern();
    void age_data();
    void age();
    void captions_data();
    void captions();
};

namespace {

// Processor time of this thread: what the decoding costs, whatever else the
// machine is running.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

} // namespace

void TestMetar::workedExamples_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("fields"); // time, wind, vis, precip, sky, temp, dew, alt

    auto row = [](const char* name, const char* reply, QStringList fields) {
        QTest::newRow(name) << QString::fromUtf8(reply) << fields;
    };
    row("KSEA rain, CR LF",
        "KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 OVC050 12/09 A2992 RMK AO2 SLP135\r\n",
        {"121653Z", "17011KT", "10SM", "-RA", "FEW015 BKN035 OVC050", "12", "09", "2992"});
    row("EGLL variable wind", "EGLL 121650Z 24015G25KT 200V280 9999 SCT020 15/08 Q1013 NOSIG",
        {"121650Z", "24015G25KT 200V280", "9999", "", "SCT020", "15", "08", "1013"});
    row("LFPG CAVOK", "LFPG 121700Z 27008KT CAVOK 18/06 Q1021 NOSIG",
        {"121700Z", "27008KT", "CAVOK", "", "unknown", "18", "06", "1021"});
    row("LIRF long CAVOK", "LIRF 121650Z 18005KT 9999 // CAVOK// 22/14 Q1015",
        {"121650Z", "18005KT", "CAVOK", "", "unknown", "22", "14", "1015"});
    row("KJFK vertical visibility", "KJFK 121651Z 00000KT 1/4SM FG VV002 M01/M02 A3001 RMK AO2",
        {"121651Z", "00000KT", "1/4SM", "FG", "VV002", "M01", "M02", "3001"});
    row("KBOS AUTO, fraction", "KBOS 121654Z AUTO 31012KT 2 1/2SM -SN BR OVC008 M03/M05 A2975 RMK",
        {"121654Z", "31012KT", "2 1/2SM", "-SN BR", "OVC008", "M03", "M05", "2975"});
    row("EDDF runway visual range",
        "EDDF 121650Z 24010KT 200V270 6000 R25R/P1500 BR SCT008 BKN012 08/07 Q1016",
        {"121650Z", "24010KT 200V270", "6000", "BR", "SCT008 BKN012", "08", "07", "1016"});
    row("CYYZ no temperature", "CYYZ 121700Z 25010KT 15SM BKN250 RMK CI8",
        {"121700Z", "25010KT", "15SM", "", "BKN250", "??", "??", "RMK"});
    row("empty dew point", "KXXX 121653Z 17011KT 10SM FEW015 12/ A2992",
        {"121653Z", "17011KT", "10SM", "", "FEW015", "12", "??", "2992"});
    row("Q with blank", "KXXX 121653Z 17011KT 10SM FEW015 12/09 Q 1013",
        {"121653Z", "17011KT", "10SM", "", "FEW015", "12", "09", "Q 1013"});
    row("VV///", "KXXX 121653Z 17011KT 0800 FG VV/// M01/M01 Q1020",
        {"121653Z", "17011KT", "0800", "FG", "VV///", "M01", "M01", "1020"});
    row("lower case keeps its case", "ksea 121653z 17011kt 10sm few015 12/09 a2992",
        {"121653z", "17011kt", "10sm", "", "few015", "12", "09", "2992"});
    row("lower long CAVOK stays", "lirf 121650z 18005kt 9999 // cavok// 22/14 q1015",
        {"121650z", "18005kt", "9999 // cavok//", "", "unknown", "22", "14", "1015"});
    row("clouds and vertical visibility", "KXXX 121653Z 17011KT 0800 FG VV002 BKN004 M01/M01 Q1020",
        {"121653Z", "17011KT", "0800", "FG", "BKN004 VV002", "M01", "M01", "1020"});
    row("two lines run together",
        "EGLL 121650Z 24015KT 9999 SCT020 15/08 Q1013 NOSIG\r\nEGKK 121650Z 20005KT 5000 BKN010 "
        "10/09 Q1009",
        {"121650Z", "24015KT", "9999", "", "SCT020", "15", "08", "1013"});
    row("tabs and runs of blanks", "KSEA\t121653Z   17011KT \t 10SM FEW015 12/09 A2992",
        {"121653Z", "17011KT", "10SM", "", "FEW015", "12", "09", "2992"});
    row("A29921 keeps its fifth digit", "KSEA 121653Z 17011KT 10SM FEW015 12/09 A29921",
        {"121653Z", "17011KT", "10SM", "", "FEW015", "12", "09", "29921"});
}

void TestMetar::workedExamples()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, fields);
    const QString normalised = NormaliseMetarReply(reply);
    std::optional<DecodedMetar> m = DecodeMetar(normalised);
    QVERIFY(m);
    FinishAltimeterAndVisibility(*m);
    QCOMPARE(m->Metar, normalised);
    const QStringList got{m->ObservationTime, m->Wind,     m->Visibility, m->Precip, m->Sky,
                          m->Temperature,     m->DewPoint, m->Altimeter};
    QCOMPARE(got, fields);
}

void TestMetar::noMatch_data()
{
    QTest::addColumn<QString>("reply");
    QTest::newRow("no altimeter, no RMK") << "KSEA 121653Z 17011KT 10SM FEW015 12/09";
    QTest::newRow("leading blank") << " KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992";
    QTest::newRow("leading tab") << "\tKSEA 121653Z 17011KT 10SM FEW015 12/09 A2992";
    QTest::newRow("METAR word first") << "METAR KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992";
    QTest::newRow("SPECI word first") << "SPECI KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992";
    QTest::newRow("empty") << "";
    QTest::newRow("decimal pressure") << "KSEA 121653Z 17011KT 10SM FEW015 12/09 1013.2";
    QTest::newRow("digit first") << "1SEA 121653Z 17011KT 10SM FEW015 12/09 A2992";
}

void TestMetar::noMatch()
{
    QFETCH(QString, reply);
    QVERIFY(!DecodeMetar(NormaliseMetarReply(reply)));
}

void TestMetar::normalise_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("normalised");
    QTest::newRow("CR LF deleted, not blanked") << "AB\r\nCD\r\n"
                                                << "ABCD";
    QTest::newRow("lone CR and LF") << "A\rB\nC"
                                    << "ABC";
    QTest::newRow("runs collapse, no trim") << "  A \t\f\v B  "
                                            << " A B ";
    QTest::newRow("no-break space stays")
        << QString::fromUtf8("A\u00A0B  C") << QString::fromUtf8("A\u00A0B C");
    QTest::newRow("ideographic space stays")
        << QString::fromUtf8("A\u3000B") << QString::fromUtf8("A\u3000B");
    QTest::newRow("empty") << ""
                           << "";
}

void TestMetar::normalise()
{
    QFETCH(QString, reply);
    QFETCH(QString, normalised);
    QCOMPARE(NormaliseMetarReply(reply), normalised);
}

void TestMetar::classesAreAsciiOnly_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("matches");
    const QString good = QStringLiteral("KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992");
    QTest::newRow("plain") << good << true;
    QTest::newRow("long s as first letter")
        << QString::fromUtf8("\u017FSEA 121653Z 17011KT 10SM FEW015 12/09 A2992") << false;
    QTest::newRow("Kelvin sign as first letter")
        << QString::fromUtf8("\u212ASEA 121653Z 17011KT 10SM FEW015 12/09 A2992") << false;
    QTest::newRow("Kelvin sign in station word")
        << QString::fromUtf8("K\u212AEA 121653Z 17011KT 10SM FEW015 12/09 A2992") << false;
    QTest::newRow("Kelvin sign in KT")
        << QString::fromUtf8("KSEA 121653Z 17011\u212AT 10SM FEW015 12/09 A2992") << false;
    QTest::newRow("accented letter in station")
        << QString::fromUtf8("K\u00C9EA 121653Z 17011KT 10SM FEW015 12/09 A2992") << false;
    QTest::newRow("Arabic-Indic digit")
        << QString::fromUtf8("KSEA 12165\u0663Z 17011KT 10SM FEW015 12/09 A2992") << false;
    QTest::newRow("no-break space between groups")
        << QString::fromUtf8("KSEA\u00A0121653Z 17011KT 10SM FEW015 12/09 A2992") << false;
}

void TestMetar::classesAreAsciiOnly()
{
    QFETCH(QString, reply);
    QFETCH(bool, matches);
    QCOMPARE(DecodeMetar(NormaliseMetarReply(reply)).has_value(), matches);
}

void TestMetar::finish_data()
{
    QTest::addColumn<QString>("altimeter");
    QTest::addColumn<QString>("visibility");
    QTest::addColumn<QString>("finishedAltimeter");
    QTest::addColumn<QString>("finishedVisibility");
    QTest::newRow("A2992") << "A2992"
                           << "10SM"
                           << "2992"
                           << "10SM";
    QTest::newRow("Q1013") << "Q1013"
                           << "9999"
                           << "1013"
                           << "9999";
    QTest::newRow("lower a") << "a2992"
                             << "9999 // CAVOK//"
                             << "2992"
                             << "CAVOK";
    QTest::newRow("five digits") << "A29921"
                                 << "9999NDV // CAVOK//"
                                 << "29921"
                                 << "9999NDV // CAVOK//";
    QTest::newRow("Q blank") << "Q 1013"
                             << "unknown"
                             << "Q 1013"
                             << "unknown";
    QTest::newRow("RMK") << "RMK"
                         << "9999 // cavok//"
                         << "RMK"
                         << "9999 // cavok//";
    QTest::newRow("unknown") << "unknown"
                             << "CAVOK"
                             << "unknown"
                             << "CAVOK";
    QTest::newRow("letter after text") << "xA2992"
                                       << ""
                                       << "xA2992"
                                       << "";
    QTest::newRow("at a line start") << "x\nQ1013"
                                     << ""
                                     << "x\n1013"
                                     << "";
    QTest::newRow("three digits") << "A299"
                                  << ""
                                  << "A299"
                                  << "";
    QTest::newRow("Kelvin-free K")
        << QString::fromUtf8("\u212A2992") << "x" << QString::fromUtf8("\u212A2992") << "x";
}

void TestMetar::finish()
{
    QFETCH(QString, altimeter);
    QFETCH(QString, visibility);
    DecodedMetar m;
    m.Altimeter = altimeter;
    m.Visibility = visibility;
    FinishAltimeterAndVisibility(m);
    QTEST(m.Altimeter, "finishedAltimeter");
    QTEST(m.Visibility, "finishedVisibility");
}

void TestMetar::hostileInputIsFast_data()
{
    QTest::addColumn<QString>("reply");
    QByteArray bytes(1024 * 1024, Qt::Uninitialized);
    QRandomGenerator rng(20261206);
    for (char& b : bytes)
        b = char(rng.bounded(256));
    QTest::newRow("1 MiB of random bytes") << QString::fromUtf8(bytes);
    QTest::newRow("1 MiB of random bytes after a station")
        << QStringLiteral("KSEA 121653Z ") + QString::fromLatin1(bytes);
    QTest::newRow("100k-char wind group")
        << QStringLiteral("KSEA 121653Z ") + QString(100000, u'9') + QStringLiteral(" 10SM 12/09");
    QTest::newRow("100k slashes") << QStringLiteral("KSEA 121653Z ") + QString(100000, u'/');
    QTest::newRow("100k weather codes")
        << QStringLiteral("KSEA 121653Z 17011KT 10SM") + QStringLiteral(" RA").repeated(33000);
    QTest::newRow("100k runway ranges") << QStringLiteral("KSEA 121653Z 17011KT 10SM") +
                                               QStringLiteral(" R25/P1500").repeated(10000) +
                                               QStringLiteral(" 12/09");
    QTest::newRow("many cloud layers") << QStringLiteral("KSEA 121653Z 17011KT 10SM") +
                                              QStringLiteral(" FEW015CB").repeated(12000) +
                                              QStringLiteral(" 12/0");
}

void TestMetar::hostileInputIsFast()
{
    QFETCH(QString, reply);
    const double start = threadCpuMs();
    std::optional<DecodedMetar> m = DecodeMetar(NormaliseMetarReply(reply));
    if (m)
        FinishAltimeterAndVisibility(*m);
    const double spent = threadCpuMs() - start;
    QVERIFY2(spent < 100, qPrintable(QString::number(spent) + " ms of processor time"));
}

void TestMetar::longAndAmbiguousReplies_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("fields"); // precip, sky, alt; empty: no match
    QTest::addColumn<double>("limitMs");
    const QString head = QStringLiteral("KSEA 121653Z 17011KT");
    // Each of these takes tens of milliseconds when every way of splitting
    // the groups is tried; the limits sit far between that and a direct pass.
    QTest::newRow("thirty slashes then X")
        << head + u' ' + QString(30, u'/') + QStringLiteral(" X") << QStringList() << 10.0;
    QTest::newRow("twenty cloud layers then X")
        << head + QStringLiteral(" 10SM") + QStringLiteral(" FEW015").repeated(20) +
               QStringLiteral(" X")
        << QStringList() << 10.0;
    QTest::newRow("twenty cloud layers then altimeter")
        << head + QStringLiteral(" 10SM") + QStringLiteral(" FEW015").repeated(20) +
               QStringLiteral(" Q1013")
        << QStringList{"", QStringList(20, "FEW015").join(u' '), "1013"} << 10.0;
    QTest::newRow("50 KB of weather then altimeter")
        << head + QStringLiteral(" 10SM") + QStringLiteral(" -RA").repeated(12500) +
               QStringLiteral(" 12/09 A2992")
        << QStringList{QStringList(12500, "-RA").join(u' '), "unknown", "2992"} << 200.0;
    QTest::newRow("1 MiB of cloud layers then altimeter")
        << head + QStringLiteral(" 10SM") + QStringLiteral(" BKN035").repeated(149000) +
               QStringLiteral(" 12/09 A2992 RMK")
        << QStringList{"", QStringList(149000, "BKN035").join(u' '), "2992"} << 1000.0;
}

void TestMetar::longAndAmbiguousReplies()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, fields);
    QFETCH(double, limitMs);
    const double start = threadCpuMs();
    std::optional<DecodedMetar> m = DecodeMetar(reply);
    const double spent = threadCpuMs() - start;
    QCOMPARE(m.has_value(), !fields.isEmpty());
    if (m) {
        FinishAltimeterAndVisibility(*m);
        QCOMPARE((QStringList{m->Precip, m->Sky, m->Altimeter}), fields);
    }
    QVERIFY2(spent < limitMs, qPrintable(QString::number(spent) + " ms of processor time"));
}

// The matcher against the pattern run by the regular-expression engine, on
// replies put together from pieces of every group, some of them garbled.
void TestMetar::sameGroupsAsThePattern()
{
    const QList<QStringList> pieces = {
        {"KSEA 121653Z", "k1_a 121653z", "KSEA 12165Z"},
        {"", " AUTO", " cor"},
        {" 17011KT", " /////", " 240P45G60MPS", " VRB03KTS", " 1KT2KT", ""},
        {"", " 200V280", " 1V2"},
        {"", " 10SM", " 1/4SM", " 2 1/2SM", " P6SM", " M1/4SM", " 9999", " CAVOK",
         " 9999 // CAVOK//", " 9999NDV // CAVOK//", " 0800NDV", " ////", " 1 1/2"},
        {"", " R25R/1200FT", " R16/P1500", " R16L/0600V1000U R34/1000", " R01/ ", " RFT"},
        {"", " -RA", " +TSRA BR", " RA/", " //", " /", " VCSH", "BR", " -SN BR", " ///RA"},
        {"", " VV002", " VV///", " VV1"},
        {"", " FEW015", " FEW015 BKN035CB", " SCT///", " //////", " ///", " OVC050TCU",
         " BKN015///", " FEW01", " NSC", " FEW015CB BKN100"},
        {"", " 12/09", " M01/M02", " 12/", " /////", " XX/XX", " M1/2"},
        {" A2992", " Q1013", " Q 1013", " RMK", " 101.3", " A////", " QXXXX", " 1013.2", ""},
        {"", " RMK AO2", " 12/09 A2992"}};
    const QString garble = QString::fromUtf8("AKTVRMSQXZ09/ +-_.\u212A");
    const AsciiRegex pattern(MetarPattern, AsciiRegex::IgnoreCase);
    QRandomGenerator rng(20261207);
    for (int i = 0; i < 20000; ++i) {
        QString reply;
        for (const QStringList& choices : pieces)
            reply += choices[rng.bounded(choices.size())];
        for (int k = rng.bounded(3); k > 0 && !reply.isEmpty(); --k)
            reply[rng.bounded(reply.size())] = garble[rng.bounded(garble.size())];
        const std::optional<QStringList> expected = pattern.firstMatch(reply);
        const std::optional<MetarSpans> spans = matchMetarPattern(reply);
        QStringList got;
        if (spans) {
            got.append(reply.left(spans->at(10).first + spans->at(10).second));
            for (int g = 1; g <= 10; ++g)
                got.append(spans->at(g).first < 0
                               ? QString()
                               : reply.mid(spans->at(g).first, spans->at(g).second));
        }
        QVERIFY2(expected.has_value() == spans.has_value(), qPrintable(reply));
        if (expected)
            QVERIFY2(*expected == got, qPrintable(reply));
    }
}

void TestMetar::age_data()
{
    QTest::addColumn<QString>("observation");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("minutes"); // -9999: no age
    auto at = [](int y, int mo, int d, int h, int mi) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
    };

    QTest::newRow("same hour") << "071615Z" << at(2026, 12, 7, 16, 50) << 35;
    QTest::newRow("exactly 70 minutes") << "071540Z" << at(2026, 12, 7, 16, 50) << 70;
    QTest::newRow("previous day") << "062350Z" << at(2026, 12, 7, 0, 20) << 30;
    QTest::newRow("month end, 30 days") << "302355Z" << at(2026, 12, 1, 0, 10) << 15;
    QTest::newRow("month end, February") << "282355Z" << at(2027, 3, 1, 0, 30) << 35;
    QTest::newRow("leap day") << "292355Z" << at(2028, 3, 1, 0, 30) << 35;
    QTest::newRow("31st skips a short month") << "312355Z" << at(2026, 12, 1, 0, 30) << 43235;
    QTest::newRow("year end") << "312350Z" << at(2027, 1, 1, 0, 20) << 30;
    QTest::newRow("from the future by clock skew") << "071655Z" << at(2026, 12, 7, 16, 50) << -5;
    QTest::newRow("from the future across the month end")
        << "010002Z" << at(2026, 11, 30, 23, 58) << -4;
    QTest::newRow("far future day is last month's") << "121653Z" << at(2026, 12, 7, 13, 0) << 35767;
    QTest::newRow("two hours ahead is last month's")
        << "071900Z" << at(2026, 12, 7, 17, 0) << 43080;
    QTest::newRow("hour 24") << "072400Z" << at(2026, 12, 7, 17, 0) << -9999;
    QTest::newRow("minute 60") << "071660Z" << at(2026, 12, 7, 17, 0) << -9999;
    QTest::newRow("day 0") << "001600Z" << at(2026, 12, 7, 17, 0) << -9999;
    QTest::newRow("no Z") << "0716000" << at(2026, 12, 7, 17, 0) << -9999;
    QTest::newRow("too short") << "71600Z" << at(2026, 12, 7, 17, 0) << -9999;
    QTest::newRow("not digits") << "07I600Z" << at(2026, 12, 7, 17, 0) << -9999;
}

void TestMetar::age()
{
    QFETCH(QString, observation);
    QFETCH(QDateTime, now);
    QFETCH(int, minutes);
    const std::optional<qint64> age = MetarAgeMinutes(observation, now);
    if (minutes == -9999)
        QVERIFY(!age);
    else
        QCOMPARE(age.value_or(-9999), qint64(minutes));
}

void TestMetar::captions_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("notice");
    QTest::newRow("fresh") << 45 << "Age 45 min"
                           << "";
    QTest::newRow("from the future") << -5 << "Age 0 min"
                                     << "";
    QTest::newRow("70 is not stale") << 70 << "Age 1 h 10 min"
                                     << "";
    QTest::newRow("71 is stale") << 71 << "STALE 1 h 11 min"
                                 << "\r\n\r\nSTALE: this METAR was observed 1 h 11 min ago.";
    QTest::newRow("days") << 36000 << "STALE 25 d 00 h"
                          << "\r\n\r\nSTALE: this METAR was observed 25 d 00 h ago.";
}

void TestMetar::captions()
{
    QFETCH(int, minutes);
    QFETCH(QString, caption);
    QFETCH(QString, notice);
    QCOMPARE(MetarAgeCaption(minutes), caption);
    QCOMPARE(StaleNotice(minutes), notice);
    QCOMPARE(StaleNotice(std::nullopt), QString());
}

QTEST_GUILESS_MAIN(TestMetar)
#include "test_metar.moc"
