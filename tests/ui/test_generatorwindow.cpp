// The local ATIS generator in the window: it serves beside the window's own
// cycle without touching it, shows what the check found in its answers, and
// its dialog shows where it serves.
#include "serve/atisgenerator.h"
#include "tests/ui/uiharness.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>

namespace {
struct Answer
{
    int status = 0;
    QByteArray body;
    QByteArray check; // X-Briefcast-Check
};

void saveProfile(SettingsStore& store, const QString& name, const QString& icao,
                 const QString& templ)
{
    store.writeTogether({{"Profiles", name, "1"},
                         {"Profiles\\" + name, "ICAO", icao},
                         {"Profiles\\" + name, "Template", templ}});
}

// A port of 127.0.0.1 free at this moment.
quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}
} // namespace

class TestGeneratorWindow : public QObject
{
    Q_OBJECT
    QNetworkAccessManager m_client;

    Answer get(quint16 port, const QByteArray& target)
    {
        QNetworkReply* reply = m_client.get(QNetworkRequest(
            QUrl::fromEncoded("http://127.0.0.1:" + QByteArray::number(port) + target)));
        QSignalSpy(reply, &QNetworkReply::finished).wait(20000);
        reply->deleteLater();
        return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                reply->readAll(), reply->rawHeader("X-Briefcast-Check")};
    }

private Q_SLOTS:
    void requestsLeaveTheWindowAlone()
    {
        UiHarness h;
        const quint16 port = freePort();
        h.store.SaveSetting("Settings", "GeneratorPort", QString::number(port));
        saveProfile(h.store, "KSEA south", "KSEA", "South information %id%");
        h.start();
        h.get<QLineEdit>("txtICAO")->setText("KSEA");
        h.get<QPlainTextEdit>("txtTemplate")->setPlainText("Seattle information %id%");
        h.press("cmdRefresh");
        QCOMPARE(h.form().atisText(), "Seattle information ALPHA");
        const QByteArray atisFile = readFile(h.atisPath());

        // Fetched from the window's METAR server, as its own cycle fetches it.
        QCOMPARE(get(port, "/atis?info=Q&icao=KSEA").body, "South information QUEBEC");
        QCOMPARE(h.form().codeText(), "ALPHA");
        QCOMPARE(h.form().atisText(), "Seattle information ALPHA");
        QCOMPARE(h.session->state().LastMetarKey, "KSEA121653Z");
        QCOMPARE(readFile(h.atisPath()), atisFile);

        const Answer current = get(port, "/current");
        QCOMPARE(current.status, 200);
        const QJsonObject json = QJsonDocument::fromJson(current.body).object();
        QCOMPARE(json["airport"].toString(), "KSEA");
        QCOMPARE(json["letter"].toString(), "A");
        QCOMPARE(json["time"].toString(), "121653Z");
        QCOMPARE(json["ageMinutes"].toInt(), 7);
        QCOMPARE(json["text"].toString(), "Seattle information ALPHA");
        QCOMPARE(json["metar"].toString(),
                 "KSEA 121653Z 17011KT 10SM FEW015 BKN035 12/09 A2992 RMK AO2");
        QCOMPARE(json["autoUpdate"].toBool(), false);
    }

    // A radar client reads the plain text: what the check found reaches the
    // controller all the same, in the window's status bar and in the
    // dialog's list, and a tool sees it in a header. Never in a box.
    void findingsOfEveryAnswerAreShown()
    {
        UiHarness h;
        const quint16 port = freePort();
        h.store.SaveSetting("Settings", "GeneratorPort", QString::number(port));
        saveProfile(h.store, "KSEA south", "KSEA", "South information %id%");
        h.start();
        // KSEA's wind, 170 at 11 kt, blows from behind on 34L.
        const QByteArray tailwind = "Tailwind 11 kt on runway 34L";
        QCOMPARE(get(port, "/atis?info=Q&icao=KSEA&dep=34L").check, tailwind);
        QCOMPARE(get(port, "/atis?info=Q&icao=KSEA&dep=34L&format=voice").check, tailwind);
        const auto* notice = h.get<QLabel>("lblGeneratorCheck");
        const QString noticed = "Generator, KSEA QUEBEC: " + tailwind;
        QCOMPARE(notice->text(), noticed);
        h.press("mnuOptionsGenerator");
        const auto* requests = h.get<QTreeWidget>("lstRequests");
        QCOMPARE(requests->topLevelItem(0)->text(4), tailwind);

        // A refusal puts nothing on the air; the next clean ATIS clears the notice.
        QCOMPARE(get(port, "/atis?info=R&icao=KSEA&arr=99").status, 400);
        QCOMPARE(notice->text(), noticed);
        QCOMPARE(get(port, "/atis?info=R&icao=KSEA").check, QByteArray());
        QCOMPARE(notice->text(), "");
        QTRY_COMPARE(requests->topLevelItem(0)->text(2), "ROMEO");
        QCOMPARE(requests->topLevelItem(0)->text(4), "");
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void dialogShowsWhereItServesAndWhatItAnswered()
    {
        UiHarness h;
        const quint16 port = freePort();
        h.store.SaveSetting("Settings", "GeneratorPort", QString::number(port));
        h.start();
        get(port, "/current");
        h.press("mnuOptionsGenerator");
        QCOMPARE(h.get<QDialog>("frmGenerator")->windowTitle(), "Local ATIS Generator");
        QCOMPARE(h.get<QSpinBox>("txtGeneratorPort")->value(), port);
        const QString address = QString("http://127.0.0.1:%1/atis?").arg(port);
        QCOMPARE(h.get<QLabel>("lblGeneratorState")->text(),
                 QString("Serving on 127.0.0.1, port %1.").arg(port));
        QCOMPARE(h.get<QLineEdit>("txtAtisMakerUrl")->text(),
                 address + "icao=$atisairport&info=$atiscode&arr=$arrrwy($atisairport)"
                           "&dep=$deprwy($atisairport)&metar=$metar($atisairport)");
        QCOMPARE(h.get<QLineEdit>("txtExternalGeneratorUrl")->text(),
                 address + "metar=$metar&info=$atiscode&arr=$arrrwy&dep=$deprwy&apptype=$app"
                           "&remarks=$remarks");
        // Both open showing the address, not the end of the query.
        QCOMPARE(h.get<QLineEdit>("txtAtisMakerUrl")->cursorPosition() +
                     h.get<QLineEdit>("txtExternalGeneratorUrl")->cursorPosition(),
                 0);
        h.press("cmdCopyExternalGeneratorUrl");
        QCOMPARE(h.desktop.clipboard, h.get<QLineEdit>("txtExternalGeneratorUrl")->text());

        // The list grows while the dialog is open, newest first.
        get(port, "/atis?info=D&icao=EGLL");
        const auto* requests = h.get<QTreeWidget>("lstRequests");
        QTRY_COMPARE(requests->topLevelItemCount(), 2);
        QCOMPARE(requests->headerItem()->text(3), "Status");
        QCOMPARE(requests->topLevelItem(0)->text(1), "EGLL");
        QCOMPARE(requests->topLevelItem(0)->text(2), "DELTA");
        QCOMPARE(requests->topLevelItem(0)->text(3), "404 No profile for EGLL");
        QCOMPARE(requests->topLevelItem(1)->text(3), "404 The window has built no ATIS yet");
    }

    void portInUseIsShownNotTold()
    {
        UiHarness h;
        QTcpServer otherProgram;
        QVERIFY(otherProgram.listen(QHostAddress::LocalHost));
        h.store.SaveSetting("Settings", "GeneratorPort",
                            QString::number(otherProgram.serverPort()));
        h.start();
        QVERIFY(h.dialogs.shown.isEmpty());
        h.press("mnuOptionsGenerator");
        QCOMPARE(h.get<QLabel>("lblGeneratorState")->text(),
                 QString("Port %1 is in use (another Briefcast or another program): not serving. "
                         "Choose another port.")
                     .arg(otherProgram.serverPort()));

        // Another port, taken at once and kept for the next start.
        const quint16 port = freePort();
        auto* portBox = h.get<QSpinBox>("txtGeneratorPort");
        portBox->setValue(port);
        Q_EMIT portBox->editingFinished();
        QCOMPARE(h.get<QLabel>("lblGeneratorState")->text(),
                 QString("Serving on 127.0.0.1, port %1.").arg(port));
        QCOMPARE(get(port, "/current").status, 404);
        h.window->close();
        QCOMPARE(h.setting("GeneratorPort"), QString::number(port));
        QCOMPARE(h.setting("GeneratorEnabled"), "True");
    }
};

QTEST_MAIN(TestGeneratorWindow)
#include "test_generatorwindow.moc"
