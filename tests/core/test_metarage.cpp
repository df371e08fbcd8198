// The age of an observation and how it is shown.
#include "metarage.h"

#include <QTest>

class TestMetarAge : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void age_data();
    void age();
    void captions_data();
    void captions();
};

void TestMetarAge::age_data()
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

void TestMetarAge::age()
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

void TestMetarAge::captions_data()
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

void TestMetarAge::captions()
{
    QFETCH(int, minutes);
    QFETCH(QString, caption);
    QFETCH(QString, notice);
    QCOMPARE(MetarAgeCaption(minutes), caption);
    QCOMPARE(StaleNotice(minutes), notice);
    QCOMPARE(StaleNotice(std::nullopt), QString());
}

QTEST_GUILESS_MAIN(TestMetarAge)
#include "test_metarage.moc"
