// The local ATIS generator on 127.0.0.1, asked by a real HTTP client (Qt's),
// with its profiles in a real settings file and its METARs fetched from the
// local weather server.
#include "core/settingsstore.h"
#include "serve/atisgenerator.h"
#include "serve/requesthead.h"
#include "serve/storeprofiles.h"
#include "store/inifilestore.h"
#include "tests/support/temporaryhome.h"
#include "tools/localwx/localweatherserver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QTranslator>
#include <sys/socket.h>

namespace {
// KSEA 121653Z 17011KT 10SM FEW015 BKN035 12/09 A2992, as a query writes it.
const QString SeattleMetar = "KSEA+121653Z+17011KT+10SM+FEW015+BKN035+12/09+A2992";

struct Answer
{
    int status = 0;
    QByteArray contentType;
    QString body;
};
} // namespace

class TestGenerator : public QObject
{
    Q_OBJECT
    TemporaryHome m_home;
    IniFileStore m_store{m_home.path() + "/Briefcast.conf"};
    StoreProfiles m_profiles{m_store};
    LocalWeatherServer m_weather;
    AtisGenerator m_generator{m_profiles, [this] { return m_weather.metarUrl(); }};
    QNetworkAccessManager m_client;

    void saveProfile(const QString& name, const QString& icao, const QString& templ,
                     const QString& runways)
    {
        const QString section = "Profiles\\" + name;
        QVERIFY(m_store.writeTogether({{"Profiles", name, "1"},
                                       {section, "ICAO", icao},
                                       {section, "Template", templ},
                                       {section, "Runways", runways}}));
    }
    QNetworkReply* send(const QByteArray& target, const QByteArray& host = {})
    {
        QNetworkRequest request(QUrl::fromEncoded(
            "http://127.0.0.1:" + QByteArray::number(m_generator.port()) + target));
        if (!host.isEmpty())
            request.setRawHeader("Host", host);
        return m_client.get(request);
    }
    static Answer answerOf(QNetworkReply* reply)
    {
        if (!reply->isFinished())
            QSignalSpy(reply, &QNetworkReply::finished).wait(20000);
        reply->deleteLater();
        return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                reply->header(QNetworkRequest::ContentTypeHeader).toByteArray(),
                QString::fromUtf8(reply->readAll())};
    }
    Answer get(const QByteArray& target, const QByteArray& host = {})
    {
        return answerOf(send(target, host));
    }
    // Everything the generator on the port sends back to the bytes of a
    // request, until it closes the connection.
    static QByteArray exchange(quint16 port, const QByteArray& request, bool halfClose)
    {
        QTcpSocket socket;
        QSignalSpy closed(&socket, &QTcpSocket::disconnected);
        socket.connectToHost("127.0.0.1", port);
        socket.write(request);
        if (socket.waitForBytesWritten(30000) && halfClose)
            ::shutdown(int(socket.socketDescriptor()), SHUT_WR);
        closed.wait(30000);
        return socket.readAll();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_weather.listen());
        m_weather.setMetar("KSEA", "KSEA 121653Z 17011KT 10SM FEW015 BKN035 12/09 A2992\r\n");
        m_weather.setMetar("KBOS", "KBOS 121654Z 31012KT 10SM OVC008 M03/M05 A2975\r\n");
        m_weather.setMetar("KJFK", "KJFK 121651Z 00000KT 1/4SM FG VV002 M01/M02 A3001\r\n");
        m_weather.setMetar("EGLL", "EGLL 121650Z 24015G25KT 9999 SCT020 15/08 Q1013\r\n");
        m_weather.setMetar("KORD", "KORD 121651Z 27008KT 10SM FEW250 08/M02 A3004\r\n");
        m_weather.setMetar("KLAX", "KSFO 121656Z 28010KT 10SM FEW008 14/11 A3002\r\n");
        // Saved before "KSEA", listed after it.
        saveProfile("KSEA west", "KSEA", "West %id% %profile%", "");
        saveProfile("KSEA", "KSEA", "%id%|%runways%|%approach%|%remarks%",
                    "16L,1,0|16R,0,1|16C,0,0");
        saveProfile("KSEA weather", "KSEA", "%id% %precip%", "");
        for (const char* icao : {"KBOS", "KJFK", "EGLL", "KPDX", "KLAX", "KORD"})
            saveProfile(icao, icao, "%icao% %id% %runways%", "04R,1,1");
        // Minutes after the reports: none is stale.
        m_generator.setClock([] { return QDateTime(QDate(2026, 11, 12), QTime(17, 0), Qt::UTC); });
        m_generator.serve(true, 0);
        QCOMPARE(m_generator.state(), AtisGenerator::State::Serving);
    }

    void init() { m_weather.faults = {}; }

    void parameterForms_data()
    {
        QTest::addColumn<QByteArray>("parameters"); // besides the METAR
        QTest::addColumn<QString>("atis");
        const QString asSaved = "DELTA|Landing rwy 16L. Departing rwy 16R.||";
        QTest::newRow("letter") << QByteArray("info=D") << asSaved;
        QTest::newRow("ICAO spelling of X-RAY")
            << QByteArray("info=xray") << "X-RAY|Landing rwy 16L. Departing rwy 16R.||";
        QTest::newRow("plus is a blank") << QByteArray("info=D&apptype=ILS+or+VOR")
                                         << "DELTA|Landing rwy 16L. Departing rwy 16R.|ILS or VOR|";
        QTest::newRow("percent-encoded, UTF-8")
            << QByteArray("info=D&remarks=Caf%C3%A9%20A%2BB")
            << "DELTA|Landing rwy 16L. Departing rwy 16R.||Café A+B";
        QTest::newRow("control characters")
            << QByteArray("info=D&remarks=Wet%00%07%1B%0Arunway")
            << "DELTA|Landing rwy 16L. Departing rwy 16R.||Wet runway";
        for (const char* arrival :
             {"16L,16C", "16L:16C", "16L;16C", "16L/16C", "16L+16C", "16l%2C%2016c"})
            QTest::newRow(arrival)
                << QByteArray("info=D&arr=") + arrival << "DELTA|Landing rwys 16L & 16C.||";
        QTest::newRow("the caller's runways only, never the profile's besides")
            << QByteArray("info=D&arr=34R&dep=") << "DELTA|Landing rwy 34R.||";
        QTest::newRow("empty runways keep the profile's")
            << QByteArray("info=D&arr=&dep=") << asSaved;
        QTest::newRow("flags")
            << QByteArray("info=D&visual=1&lahso=true")
            << "DELTA|Landing rwy 16L. Departing rwy 16R. Visual approaches in use. LAHSOs in "
               "effect.||";
        QTest::newRow("parameters of other servers")
            << QByteArray("info=D&type=atis&x=1") << asSaved;
    }
    void parameterForms()
    {
        QFETCH(QByteArray, parameters);
        QFETCH(QString, atis);
        const Answer answer = get("/atis?" + parameters + "&metar=" + SeattleMetar.toUtf8());
        QCOMPARE(answer.status, 200);
        QCOMPARE(answer.contentType, QByteArray("text/plain; charset=utf-8"));
        QCOMPARE(answer.body, atis);
    }

    void profileChoice_data()
    {
        QTest::addColumn<QByteArray>("parameters");
        QTest::addColumn<QString>("atis");
        QTest::newRow("the airport's first in list order")
            << "info=B&metar=" + SeattleMetar.toUtf8()
            << "BRAVO|Landing rwy 16L. Departing rwy 16R.||";
        QTest::newRow("profile named, its airport's METAR fetched")
            << QByteArray("info=B&profile=KSEA+west") << "West BRAVO KSEA west";
    }
    void profileChoice()
    {
        QFETCH(QByteArray, parameters);
        QFETCH(QString, atis);
        const Answer answer = get("/atis?" + parameters);
        QCOMPARE(answer.status, 200);
        QCOMPARE(answer.body, atis);
    }

    // The profile's transition level table and ATIS type fill %tl% and %type%.
    void profileFillsTransitionLevelAndType()
    {
        const QString name = "EGLL arrival", section = "Profiles\\" + name;
        saveProfile(name, "EGLL", "%type% information %id%, transition level %tl%", "");
        QVERIFY(m_store.writeTogether({{section, "TransitionLevels", "943-1012:80|1013-1050:70"},
                                       {section, "ATISType", "Arrival"}})); // EGLL's report: Q1013
        QCOMPARE(get("/atis?info=k&profile=EGLL+arrival").body,
                 "ARRIVAL information KILO, transition level 70");
        QCOMPARE(get("/atis?info=K&format=voice&profile=EGLL+arrival").body,
                 "arrival information Kilo, transition level seven zero.");
    }

    void radarClientsFunctionsAreFilled()
    {
        saveProfile("KBOS functions", "KBOS",
                    "%id% $wind(KBOS) $altim(kbos) $metar(KBOS) $freq() $wind(KJFK)", "4R,1,0");
        const QString filled = "ECHO 31012KT 2975 KBOS 121654Z 31012KT 10SM OVC008 M03/M05 A2975 "
                               "$freq() $wind(KJFK)";
        QCOMPARE(get("/atis?info=E&profile=KBOS+functions").body, filled);
        // The window may speak the controller's language: what the
        // generator sends stays English, its findings too.
        struct EveryTextTranslated : QTranslator
        {
            QString translate(const char*, const char* source, const char*, int) const override
            {
                return QStringLiteral("translated ") + source;
            }
            bool isEmpty() const override { return false; }
        } translated;
        QCoreApplication::installTranslator(&translated);
        const Answer answer = get("/atis?info=E&format=json&profile=KBOS+functions&dep=9");
        QCoreApplication::removeTranslator(&translated);
        QCOMPARE(answer.status, 200);
        QCOMPARE(answer.contentType, QByteArray("application/json"));
        const QJsonObject json = QJsonDocument::fromJson(answer.body.toUtf8()).object();
        QCOMPARE(json["airport"].toString(), "KBOS");
        QCOMPARE(json["letter"].toString(), "E");
        QCOMPARE(json["time"].toString(), "121654Z");
        QCOMPARE(json["text"].toString(), filled);
        QCOMPARE(json["spoken"].toString(),
                 "Echo wind three one zero at one two altimeter two niner seven five one six five "
                 "four Zulu, wind three one zero at one two, visibility one zero, ceiling eight "
                 "hundred overcast, temperature minus three, dew point minus five, altimeter two "
                 "niner seven five.");
        QCOMPARE(json["metar"].toString(), "KBOS 121654Z 31012KT 10SM OVC008 M03/M05 A2975");
        QCOMPARE(json["runways"].toObject()["arrival"].toArray(), QJsonArray());
        QCOMPARE(json["runways"].toObject()["departure"].toArray(), QJsonArray({"9"}));
        // The ATIS check's findings, on the runways asked for too.
        QCOMPARE(json["warnings"].toArray(),
                 QJsonArray({"Not filled: $freq()", "Not filled: $wind(KJFK)",
                             "Tailwind 9 kt on runway 9"}));
        // A profile whose text a speech engine reads has them in words.
        QVERIFY(m_store.writeTogether({{"Profiles\\KBOS functions", "TextForm", "words"}}));
        QCOMPARE(get("/atis?info=E&profile=KBOS+functions").body,
                 "ECHO 310 AT 12 2975 1654 ZULU, WIND 310 AT 12, VISIBILITY 10, CEILING 800 "
                 "OVERCAST, TEMPERATURE MINUS 3, DEW POINT MINUS 5, ALTIMETER 2975 $freq() "
                 "$wind(KJFK)");
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        const QByteArray metar = "&metar=" + SeattleMetar.toUtf8();
        QTest::newRow("no letter") << "/atis?" + metar << 400 << "Missing parameter: info";
        QTest::newRow("not a letter")
            << "/atis?info=DX" + metar << 400 << "info is no letter A to Z nor its word: \"DX\"";
        QTest::newRow("not a runway")
            << "/atis?info=D&arr=16L,99" + metar << 400 << "arr holds no runway: \"99\"";
        QTest::newRow("not a flag")
            << "/atis?info=D&visual=yes" + metar << 400 << "visual is neither 0 nor 1: \"yes\"";
        QTest::newRow("unknown format") << "/atis?info=D&format=xml" + metar << 400
                                        << "format is none of text, voice, json: \"xml\"";
        QTest::newRow("no airport") << QByteArray("/atis?info=D") << 400
                                    << "Missing parameter: metar, icao or profile names no airport";
        QTest::newRow("not an airport")
            << QByteArray("/atis?info=D&icao=K%24EA") << 400 << "icao is no airport code: \"K$EA\"";
        QTest::newRow("profile of another airport")
            << QByteArray("/atis?info=D&icao=KSEA&profile=KBOS") << 400
            << "Profile \"KBOS\" is for KBOS, not KSEA";
        QTest::newRow("airport without profile")
            << QByteArray("/atis?info=D&icao=LFPG") << 404 << "No profile for LFPG";
        QTest::newRow("no such profile")
            << "/atis?info=D&profile=Paris" + metar << 404 << "No profile named \"Paris\"";
        QTest::newRow("no such path")
            << QByteArray("/weather") << 404 << "Not found: ask for /atis or /current";
        QTest::newRow("METAR not decodable")
            << QByteArray("/atis?info=D&metar=KSEA+is+closed") << 422 << "METAR cannot be decoded";
        const QByteArray london = "/atis?info=D&metar=EGLL+121650Z+24015KT+9999+FEW030+14/08+";
        QTest::newRow("QNH of no air")
            << london + "Q9999" << 422 << "METAR group not understood: \"Q9999\"";
        QTest::newRow("minute 99") << QByteArray(london).replace("121650Z", "121299Z") + "Q1013"
                                   << 422 << "METAR group not understood: \"121299Z\"";
        QTest::newRow("wind that is no wind")
            << QByteArray(london).replace("24015KT", "HELLOKT") + "Q1013" << 422
            << "METAR group not understood: \"HELLOKT\"";
        QTest::newRow("METAR of another airport")
            << "/atis?info=D&icao=KBOS" + metar << 422 << "METAR is for KSEA, not KBOS";
        QTest::newRow("server has no report")
            << QByteArray("/atis?info=D&icao=KPDX") << 502 << "METAR server has no report for KPDX";
        QTest::newRow("server answers another station")
            << QByteArray("/atis?info=D&icao=KLAX") << 502
            << "METAR server answered for KSFO, not KLAX";
    }
    void refusals()
    {
        QFETCH(QByteArray, target);
        QFETCH(int, status);
        QFETCH(QString, reason);
        const Answer answer = get(target);
        QCOMPARE(answer.status, status);
        QCOMPARE(answer.contentType, QByteArray("text/plain; charset=utf-8"));
        QCOMPARE(answer.body, reason);
    }

    void hostMustBeLoopbackWithThePort_data()
    {
        QTest::addColumn<QByteArray>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("127.0.0.1") << QByteArray("127.0.0.1:49150") << 49150 << true;
        QTest::newRow("localhost in capitals") << QByteArray("LOCALHOST:49150") << 49150 << true;
        QTest::newRow("[::1]") << QByteArray("[::1]:49150") << 49150 << true;
        QTest::newRow("no port when serving on 80") << QByteArray("127.0.0.1") << 80 << true;
        QTest::newRow("no port when serving on another")
            << QByteArray("localhost") << 49150 << false;
        QTest::newRow("another port") << QByteArray("localhost:80") << 49150 << false;
        QTest::newRow("a name rebound to loopback")
            << QByteArray("atis.example.com:49150") << 49150 << false;
    }
    void hostMustBeLoopbackWithThePort()
    {
        QFETCH(QByteArray, host);
        QFETCH(int, port);
        QFETCH(bool, allowed);
        QCOMPARE(IsLoopbackAuthority(host, quint16(port)), allowed);
    }

    void fourAirportsAtOnceWithOneSlowFetch()
    {
        // Longer than the 5 s a silent connection is given: one waiting for
        // its answer is not silent.
        m_weather.faults.delayMs = 6000;
        m_weather.faults.delayOnly = "KJFK";
        QNetworkReply* slow = send("/atis?info=A&icao=KJFK&arr=22L");
        QNetworkReply* boston = send("/atis?info=B&icao=KBOS&arr=4L");
        QNetworkReply* london = send("/atis?info=C&icao=EGLL&arr=27R");
        QNetworkReply* seattle = send("/atis?info=D&icao=KSEA");
        QTRY_VERIFY_WITH_TIMEOUT(
            boston->isFinished() && london->isFinished() && seattle->isFinished(), 20000);
        QVERIFY(!slow->isFinished());
        QCOMPARE(answerOf(boston).body, "KBOS BRAVO Landing rwy 4L.");
        QCOMPARE(answerOf(london).body, "EGLL CHARLIE Landing rwy 27R.");
        QCOMPARE(answerOf(seattle).body, "DELTA|Landing rwy 16L. Departing rwy 16R.||");
        QCOMPARE(answerOf(slow).body, "KJFK ALPHA Landing rwy 22L.");
    }

    // Requests byte for byte as callers send them, Host after the request
    // line: each gets a status and a one-line reason, and its connection
    // closes at once (the generator would keep a silent one a minute).
    void requestLines_data()
    {
        QTest::addColumn<QByteArray>("line");    // without its line end
        QTest::addColumn<QByteArray>("headers"); // after Host, each with its line end
        QTest::addColumn<int>("paddedTo");       // the whole request's bytes; 0: as it is
        QTest::addColumn<bool>("halfClose");     // the caller ends its sending after it
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("body");
        const QString noAtis = "The window has built no ATIS yet";
        QTest::newRow("METAR with raw blanks")
            << QByteArray("GET /atis?profile=KSEA+weather&info=D&metar=KSEA 121653Z 17011KT 2SM "
                          "+RA BR BKN015 12/09 A2992 HTTP/1.1")
            << QByteArray() << 0 << false << 200 << "DELTA +RA BR";
        QTest::newRow("raw plus after an encoded blank")
            << QByteArray("GET /atis?profile=KSEA+weather&info=D&metar=KSEA%20121653Z%2017011KT"
                          "%202SM%20+RA%20BR%20BKN015%2012/09%20A2992 HTTP/1.1")
            << QByteArray() << 0 << false << 200 << "DELTA +RA BR";
        QTest::newRow("HTTP/0.9") << QByteArray("GET /current") << QByteArray() << 0 << false << 400
                                  << "Request line ends in no HTTP version: \"/current\"";
        QTest::newRow("a letter after the version")
            << QByteArray("GET /current HTTP/1.1x") << QByteArray() << 0 << false << 400
            << "Request line ends in no HTTP version: \"HTTP/1.1x\"";
        QTest::newRow("tabs between the words")
            << QByteArray("GET\t/current\tHTTP/1.1") << QByteArray() << 0 << false << 400
            << "Request line holds a control character";
        QTest::newRow("no target") << QByteArray("GET  HTTP/1.1") << QByteArray() << 0 << false
                                   << 400 << "Request line names no target";
        QTest::newRow("binary bytes")
            << QByteArray("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03", 11) << QByteArray() << 0
            << false << 400 << "Request line holds a control character";
        QTest::newRow("header line without a colon")
            << QByteArray("GET /current HTTP/1.1") << QByteArray("Broken\r\n") << 0 << false << 400
            << "Header line not understood: \"Broken\"";
        QTest::newRow("101 header fields")
            << QByteArray("GET /current HTTP/1.1") << QByteArray("X-Field: 1\r\n").repeated(100)
            << 0 << false << 431 << "Too many header fields: over 100";
        QTest::newRow("exactly 16 KiB, its METAR fetched")
            << QByteArray("GET /atis?info=D&icao=KBOS HTTP/1.1") << QByteArray() << 16384 << false
            << 200 << "KBOS DELTA Landing & departing runway 04R.";
        QTest::newRow("a byte over 16 KiB") << QByteArray("GET /current HTTP/1.1") << QByteArray()
                                            << 16385 << false << 431 << "Request too large";
        QTest::newRow("7,000 quotes in the target, 3 bytes each once encoded")
            << "GET /current?" + QByteArray(7000, '"') + " HTTP/1.1" << QByteArray() << 0 << false
            << 404 << noAtis;
        QTest::newRow("target over 8 KiB as sent")
            << "GET /current?" + QByteArray(8200, 'x') + " HTTP/1.1" << QByteArray() << 0 << false
            << 414 << "Request target too long";
        QTest::newRow("absolute form naming another host")
            << QByteArray("GET http://evil.example/current HTTP/1.1") << QByteArray() << 0 << false
            << 403 << "Host not allowed: ask for 127.0.0.1, localhost or [::1] with the port";
        QTest::newRow("not GET") << QByteArray("POST /current HTTP/1.1") << QByteArray() << 0
                                 << false << 405 << "Only GET is served";
        QTest::newRow("a second Host naming another site")
            << QByteArray("GET /current HTTP/1.1") << QByteArray("Host: atis.example.com\r\n") << 0
            << false << 403
            << "Host not allowed: ask for 127.0.0.1, localhost or [::1] with the port";
        const QByteArray fetching = "GET /atis?info=D&icao=KBOS HTTP/1.1";
        const QString anotherSite = "Not served to a web page of another site";
        QTest::newRow("page of another site by its Origin")
            << fetching << QByteArray("Origin: https://evil.example\r\n") << 0 << false << 403
            << anotherSite;
        QTest::newRow("page of another site by Sec-Fetch-Site")
            << fetching << QByteArray("Sec-Fetch-Site: same-site\r\n") << 0 << false << 403
            << anotherSite;
        QTest::newRow("page of this machine")
            << QByteArray("GET /current HTTP/1.1")
            << QByteArray("Origin: http://localhost:8080\r\nSec-Fetch-Site: same-origin\r\n") << 0
            << false << 404 << noAtis;
        QTest::newRow("caller ends its sending while its METAR is fetched")
            << QByteArray("GET /atis?info=D&icao=KBOS HTTP/1.1") << QByteArray() << 0 << true << 200
            << "KBOS DELTA Landing & departing runway 04R.";
    }
    void requestLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, headers);
        QFETCH(int, paddedTo);
        QFETCH(bool, halfClose);
        QFETCH(int, status);
        QFETCH(QString, body);
        AtisGenerator generator(m_profiles, [this] { return m_weather.metarUrl(); });
        generator.setLimits({.idleTimeoutMs = 60'000});
        generator.serve(true, 0);
        QByteArray request =
            line + "\r\nHost: 127.0.0.1:" + QByteArray::number(generator.port()) + "\r\n" + headers;
        if (paddedTo > 0)
            request += "X-Padding: " + QByteArray(paddedTo - request.size() - 15, 'x') + "\r\n";
        request += "\r\n";
        QCOMPARE(request.size(), paddedTo > 0 ? paddedTo : request.size());

        const QByteArray answer = exchange(generator.port(), request, halfClose);
        const qsizetype end = answer.indexOf("\r\n\r\n");
        QCOMPARE(answer.left(12), "HTTP/1.1 " + QByteArray::number(status));
        QCOMPARE(QString::fromUtf8(answer.mid(end + 4)), body);
        const QByteArray head = answer.left(end + 2);
        for (const char* header : {"\r\nX-Content-Type-Options: nosniff\r\n",
                                   "\r\nCache-Control: no-store\r\n", "\r\nConnection: close\r\n"})
            QVERIFY2(head.contains(header), header);
    }

    // A line break in a $ function of the template stays out of the header
    // that names the function: the answer's head keeps its form.
    void checkHeaderIsOneLine()
    {
        saveProfile("KSEA lines", "KSEA", "%id% $freq(\r\n)", "");
        const QByteArray port = QByteArray::number(m_generator.port());
        const QByteArray answer =
            exchange(m_generator.port(),
                     "GET /atis?info=D&profile=KSEA+lines&metar=" + SeattleMetar.toUtf8() +
                         " HTTP/1.1\r\nHost: 127.0.0.1:" + port + "\r\n\r\n",
                     false);
        QVERIFY(answer.contains("\r\nX-Briefcast-Check: Not filled: $freq(  )\r\n"));
    }

    // Callers without a METAR in a burst: one fetch for them all, whether
    // they came while it was under way or after; a reply kept no longer is
    // fetched again.
    void aBurstOfCallersCostsOneFetch()
    {
        m_weather.faults.delayMs = 200; // the first callers wait for the fetch
        m_generator.setMetarKeepMs(3'600'000);
        const int before = m_weather.requestCount();
        QList<QNetworkReply*> burst;
        for (int i = 0; i < 300; ++i)
            burst << send("/atis?info=D&icao=KORD");
        for (QNetworkReply* reply : burst)
            QCOMPARE(answerOf(reply).body, "KORD DELTA Landing & departing runway 04R.");
        QCOMPARE(m_weather.requestCount(), before + 1);
        m_generator.setMetarKeepMs(0);
        QCOMPARE(get("/atis?info=D&icao=KORD").status, 200);
        QCOMPARE(m_weather.requestCount(), before + 2);
        m_generator.setMetarKeepMs(AtisGenerator::DefaultMetarKeepMs);
    }

    void profilesAreReadAgainWhenTheStoreChanges()
    {
        struct StampedStore : IniFileStore
        {
            using IniFileStore::IniFileStore;
            QString stamp = "1";
            QString changeStamp() const override { return stamp; }
        } store(m_home.path() + "/stamped.conf");
        StoreProfiles profiles(store);
        store.writeTogether({{"Profiles", "KSEA", "1"}, {"Profiles\\KSEA", "ICAO", "KSEA"}});
        store.SaveSetting("Profiles\\KSEA", "Template", "first");
        QCOMPARE(profiles.firstProfileFor("KSEA")->profile.templateText, "first");
        store.SaveSetting("Profiles\\KSEA", "Template", "second");
        QCOMPARE(profiles.profileNamed("KSEA")->profile.templateText, "first"); // the same stamp
        store.stamp = "2";
        QCOMPARE(profiles.profileNamed("KSEA")->profile.templateText, "second");
        store.stamp.clear(); // a store that cannot tell is read every time
        store.SaveSetting("Profiles\\KSEA", "Template", "third");
        QCOMPARE(profiles.profileNamed("KSEA")->profile.templateText, "third");
    }

    void idleAndSurplusConnectionsAreClosed()
    {
        m_generator.setLimits({.maxConnections = 2, .idleTimeoutMs = 300});
        m_generator.serve(true, 0);
        QTcpSocket idle, second, surplus;
        for (QTcpSocket* socket : {&idle, &second, &surplus})
            socket->connectToHost("127.0.0.1", m_generator.port());
        idle.write("GET /current HTTP/1.1\r\n"); // and never more
        // The third connection is answered at once and closed.
        QVERIFY(QSignalSpy(&surplus, &QTcpSocket::disconnected).wait(10000));
        QVERIFY(surplus.readAll().startsWith("HTTP/1.1 503 Service Unavailable\r\n"));
        // The others, silent, are closed without an answer.
        QSignalSpy idleClosed(&idle, &QTcpSocket::disconnected);
        QVERIFY(idleClosed.wait(10000));
        QCOMPARE(idle.readAll(), QByteArray());
        m_generator.setLimits({});
        m_generator.serve(true, 0);
        QCOMPARE(get("/current").status, 404);
    }
};

QTEST_GUILESS_MAIN(TestGenerator)
#include "test_generator.moc"
