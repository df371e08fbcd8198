// Decoding a reply, and the age of the report it holds.
#include "core/asciiregex.h"
#include "core/metar.h"
#include "core/metarage.h"
#include "core/metarmatcher.h"

#include <QRandomGenerator>
#include <QTest>
#include <ctime>

namespace {

// Processor time of this thread: what decoding costs, however busy the machine is.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

QDateTime at(int month, int day, int hour, int minute, int year = 2026)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC);
}

} // namespace

class TestMetar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each report shape once, and replies that take far longer when every way of
    // splitting the groups is tried.
    void decode_data()
    {
        QTest::addColumn<QString>("reply");
        // time wind vis precip sky temp dew alt, '|' between; empty: no match
        QTest::addColumn<QString>("fields");
        auto row = [](const char* name, const QString& reply, const QString& fields) {
            QTest::newRow(name) << reply << fields;
        };
        row("rain, three layers, CR LF",
            "KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 OVC050 12/09 A2992\r\n",
            "121653Z|17011KT|10SM|-RA|FEW015 BKN035 OVC050|12|09|2992");
        row("variable wind, Q", "EGLL 121650Z 24015G25KT 200V280 9999 SCT020 15/08 Q1013 NOSIG",
            "121650Z|24015G25KT 200V280|9999||SCT020|15|08|1013");
        row("long CAVOK", "LIRF 121650Z 18005KT 9999 // CAVOK// 22/14 Q1015",
            "121650Z|18005KT|CAVOK||unknown|22|14|1015");
        row("small letters, long CAVOK kept", "lirf 121650z 18005kt 9999 // cavok// 22/14 q1015",
            "121650z|18005kt|9999 // cavok//||unknown|22|14|1015");
        row("AUTO, fraction, two weathers",
            "KBOS 121654Z AUTO 31012KT 2 1/2SM -SN BR OVC008 M03/M05 A2975",
            "121654Z|31012KT|2 1/2SM|-SN BR|OVC008|M03|M05|2975");
        row("no temperature, RMK", "CYYZ 121700Z 25010KT 15SM BKN250 RMK CI8",
            "121700Z|25010KT|15SM||BKN250|??|??|RMK");
        row("empty dew point, Q blank", "KXXX 121653Z 17011KT 10SM FEW015 12/ Q 1013",
            "121653Z|17011KT|10SM||FEW015|12|??|Q 1013");
        row("layers before vertical vis", "KXXX 121653Z 17011KT 0800 FG VV002 BKN004 M01/M01 A2992",
            "121653Z|17011KT|0800|FG|BKN004 VV002|M01|M01|2992");
        // A bare M07/ is the temperature: a visibility has four digits or a unit.
        row("temperature without dew point", "CWIL 141500Z AUTO 36002KT M07/ A2981 RMK SLP103",
            "141500Z|36002KT|unknown||unknown|M07|??|2981");
        row("tabs, fifth altimeter digit", "KSEA\t121653Z   17011KT \t 10SM FEW015 12/09 A29921",
            "121653Z|17011KT|10SM||FEW015|12|09|29921");
        row("no altimeter", "KSEA 121653Z 17011KT 10SM FEW015 12/09", "");
        row("leading blank", " KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992", "");
        row("Kelvin sign in KT", "KSEA 121653Z 17011\u212AT 10SM FEW015 12/09 A2992", "");
        row("no-break space", "KSEA\u00A0121653Z 17011KT 10SM FEW015 12/09 A2992", "");
        QByteArray bytes(1 << 20, Qt::Uninitialized);
        QRandomGenerator rng(20261206);
        for (char& b : bytes)
            b = char(rng.bounded(256));
        const QString head = "KSEA 121653Z 17011KT 10SM";
        row("1 MiB random", "KSEA 121653Z " + QString::fromLatin1(bytes), "");
        row("40 layers then X", head + QString(" FEW015").repeated(40) + " X", "");
        // What the pattern reads, up to the altimeter, may be 4096 characters long.
        const QString layers = "KSEA 121653Z 17011KT 1SM" + QString(" BKN035").repeated(580);
        row("4096 characters read", layers + " 12/09 A2992 RMK",
            "121653Z|17011KT|1SM||" + QStringList(580, "BKN035").join(u' ') + "|12|09|2992");
        row("4097 characters read", layers + " 12/09 A29921", "");
        row("METAR, then 1 MiB of remarks", head + " 12/09 A2992 RMK" + QString(1 << 20, u'X'),
            "121653Z|17011KT|10SM||unknown|12|09|2992");
    }
    void decode()
    {
        QFETCH(QString, reply);
        const double start = threadCpuMs();
        const QString normalised = NormaliseMetarReply(reply);
        std::optional<DecodedMetar> m = DecodeMetar(normalised);
        const double spent = threadCpuMs() - start;
        QStringList got;
        if (m) {
            FinishAltimeterAndVisibility(*m);
            QCOMPARE(m->Metar, normalised);
            got = {m->ObservationTime, m->Wind,     m->Visibility, m->Precip, m->Sky,
                   m->Temperature,     m->DewPoint, m->Altimeter};
        }
        QTEST(got.join(u'|'), "fields");
        QVERIFY2(spent < 1000, qPrintable(QString::number(spent) + " ms of processor time"));
    }

    // The matcher against the pattern run by the regular-expression engine, on
    // replies put together from pieces of every group, some of them garbled.
    void sameGroupsAsThePattern()
    {
        // Groups ';' apart, the choices of a group '|' apart.
        const QStringList groups =
            QString("KSEA 121653Z|k1_a 121653z|KSEA 12165Z;| AUTO| cor;"
                    " 17011KT| /////| 240P45G60MPS| VRB03KTS| 1KT2KT|;| 200V280| 1V2;"
                    "| 10SM| 1/4SM| 2 1/2SM| M1/4SM| 9999| 9999 4000SE| 0800NE| CAVOK| 9999 // "
                    "CAVOK//| 9999NDV // "
                    "CAVOK//| ////;"
                    "| R25R/1200FT| R16L/0600V1000U R34/1000| R01/ | RFT;"
                    "| -RA| +TSRA BR| RA/| //| /| VCSH|BR| ///RA;| VV002| VV///| VV1;"
                    "| FEW015| FEW015 BKN035CB| SCT///| //////| ///| BKN015///| FEW01| NSC;"
                    "| 12/09| M01/M02| 12/| M07/| /////| XX/XX| M1/2;"
                    " A2992| Q1013| Q 1013| RMK| 101.3| A////| QXXXX| 1013.2|;"
                    "| RMK AO2| 12/09 A2992")
                .split(u';');
        const QString garble = QString::fromUtf8("AKTVRMSQXZ09/ +-_.\u212A");
        const AsciiRegex pattern(MetarPattern);
        QRandomGenerator rng(20261207);
        for (int i = 0; i < 20000; ++i) {
            QString reply;
            for (const QString& group : groups) {
                const QStringList choices = group.split(u'|');
                reply += choices[rng.bounded(choices.size())];
            }
            for (int k = rng.bounded(3); k > 0 && !reply.isEmpty(); --k)
                reply[rng.bounded(reply.size())] = garble[rng.bounded(garble.size())];
            const std::optional<QStringList> expected = pattern.firstMatch(reply);
            const std::optional<MetarSpans> spans = matchMetarPattern(reply);
            QVERIFY2(expected.has_value() == spans.has_value(), qPrintable(reply));
            if (!spans)
                continue;
            QStringList got{reply.left(spans->at(10).first + spans->at(10).second)};
            for (int g = 1; g <= 10; ++g) {
                const auto [from, length] = spans->at(g);
                got.append(from < 0 ? QString() : reply.mid(from, length));
            }
            QVERIFY2(*expected == got, qPrintable(reply));
        }
    }

    void age_data()
    {
        QTest::addColumn<QString>("observation");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("caption"); // empty: no age
        QTest::newRow("this minute") << "071650Z" << at(12, 7, 16, 50) << "Age 0 min";
        QTest::newRow("fresh") << "071615Z" << at(12, 7, 16, 50) << "Age 35 min";
        QTest::newRow("70 min is not stale") << "071540Z" << at(12, 7, 16, 50) << "Age 1 h 10 min";
        QTest::newRow("71 min is stale") << "071539Z" << at(12, 7, 16, 50) << "STALE 1 h 11 min";
        QTest::newRow("31st skips a short month")
            << "312355Z" << at(12, 1, 0, 30) << "STALE 30 d 00 h";
        // A report ahead of the clock: a clock running slow, up to 12 hours.
        QTest::newRow("ahead by a minute") << "071651Z" << at(12, 7, 16, 50) << "Ahead 1 min";
        QTest::newRow("ahead by 12 h") << "080450Z" << at(12, 7, 16, 50) << "Ahead 12 h 00 min";
        QTest::newRow("ahead by 12 h 01: last month")
            << "080451Z" << at(12, 7, 16, 50) << "STALE 29 d 11 h";
        QTest::newRow("1 January on 31 December")
            << "010030Z" << at(12, 31, 23, 20, 2026) << "Ahead 1 h 10 min";
        QTest::newRow("31 December on 1 January")
            << "312350Z" << at(1, 1, 0, 30, 2027) << "Age 40 min";
        QTest::newRow("29 February ahead")
            << "290100Z" << at(2, 28, 23, 0, 2028) << "Ahead 2 h 00 min";
        QTest::newRow("hour 24") << "072400Z" << at(12, 7, 17, 0) << "";
        QTest::newRow("day 0") << "001650Z" << at(12, 7, 16, 50) << "";
    }
    void age()
    {
        QFETCH(QString, observation);
        QFETCH(QDateTime, now);
        const std::optional<qint64> age = MetarAgeMinutes(observation, now);
        QTEST(age ? MetarAgeCaption(*age) : QString(), "caption");
    }

    void clockAheadIsExplained()
    {
        QCOMPARE(ClockAheadNotice(-70), "\r\n\r\nThis METAR is stamped 1 h 10 min ahead of this "
                                        "computer's clock: the clock runs slow.");
    }
};

QTEST_GUILESS_MAIN(TestMetar)
#include "test_metar.moc"
