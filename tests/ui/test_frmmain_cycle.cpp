#include "core/atisengine.h"
#include "core/texts.h"
#include "net/livefeedlookup.h"
#include "tests/ui/uiharness.h"
#include "ui/metaragelabel.h"
#include "ui/qtdesktop.h"
#include "ui/windowform.h"

#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

// The update cycle through the real window, against a real weather server.
class TestFrmMainCycle : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { h = std::make_unique<UiHarness>(); }
    void cleanup() { h.reset(); }
    void autoUpdateRound();
    void airportCodeIsChecked_data();
    void airportCodeIsChecked();
    void windowStaysAliveWhileWaiting();
    void closeWhileWaitingForReply();
    void closeWhileMessageShown();
    void realMessageBox();
    void copyFailureIsTold();
    void realClipboard();
    void atisFileOptions();
    void takesOverTheLetterOnTheAir();
    void takeOverOptionIsKept();
    void ageBesideTheLastMetar();

private:
    frmMain& startWith(const char* icao)
    {
        frmMain& w = h->start();
        Ui(w).txtICAO->setText(QString::fromLatin1(icao));
        return w;
    }
    std::unique_ptr<UiHarness> h;
};

void TestFrmMainCycle::autoUpdateRound()
{
    frmMain& w = h->start();
    Ui(w).cboATISCode->setCurrentIndex(25); // ZULU
    Ui(w).txtICAO->setFocus();
    QTest::keyClicks(Ui(w).txtICAO, "KSEA");
    QTest::mouseClick(Ui(w).cmdRefresh, Qt::LeftButton);
    QCOMPARE(Ui(w).txtLastMETAR->text(),
             QStringLiteral("KSEA 121653Z 17011KT 10SM FEW015 BKN035 12/09 A2992 RMK AO2"));
    const QString atis =
        QStringLiteral("$mypvtrw\r\n$radioname() $freq() John Doe, S-3\r\n"
                       "Information ZULU Winds $wind(KSEA) Alt $altim(KSEA) Sky FEW015 BKN035\r\n");
    QCOMPARE(w.form().atisText(), atis);
    QCOMPARE(h->dialogs.shown.size(), 1);
    QCOMPARE(h->dialogs.shown[0].title, QStringLiteral("New ATIS"));
    QCOMPARE(h->dialogs.shown[0].text,
             QStringLiteral("ATIS ZULU now current.\r\n\r\nWinds: 17011KT\r\n"
                            "Altimeter: 2992\r\nVisibility: 10SM\r\nSky: FEW015 BKN035"
                            "\r\n\r\nPress OK to copy to clipboard."));
    QCOMPARE(h->dialogs.shown[0].buttons, Dialogs::Buttons::OKCancel);
    QCOMPARE(h->desktop.clipboard, atis); // OK copies it
    QCOMPARE(readFile(h->atisPath()), atis.toUtf8());
    QCOMPARE(h->desktop.flashes, 1);

    // Auto-update: the same observation at once brings nothing new.
    QTest::mouseClick(Ui(w).cmdStartStop, Qt::LeftButton);
    QCOMPARE(Ui(w).cmdStartStop->text(), QStringLiteral("Stop"));
    QCOMPARE(Ui(w).mnuFileStartStop->text(), QStringLiteral("&Stop Autoupdate"));
    QVERIFY(Ui(w).tmrMain->isActive());
    QVERIFY(!Ui(w).cboATISCode->isEnabled());
    QCOMPARE(Ui(w).lblATISCode->text(), QStringLiteral("Current Code:"));
    QCOMPARE(h->dialogs.shown.size(), 1);
    QCOMPARE(w.form().codeText(), QStringLiteral("ZULU"));
    Ui(w).mnuFileStartStop->trigger();
    QCOMPARE(Ui(w).cmdStartStop->text(), QStringLiteral("Start"));
    QCOMPARE(Ui(w).mnuFileStartStop->text(), QStringLiteral("&Start Autoupdate"));
    QVERIFY(!Ui(w).tmrMain->isActive());
    QVERIFY(Ui(w).cboATISCode->isEnabled());
    QCOMPARE(Ui(w).lblATISCode->text(), QStringLiteral("Starting Code:"));
    QCOMPARE(w.state().TickCounter, 0);
    // Choosing a code while stopped keeps the starting-code caption.
    Ui(w).cboATISCode->setCurrentIndex(23);
    QCOMPARE(Ui(w).lblATISCode->text(), QStringLiteral("Starting Code:"));
    QCOMPARE(w.form().codeText(), QStringLiteral("X-RAY"));
}

void TestFrmMainCycle::airportCodeIsChecked_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "" << Texts::MustEnterICAO;
    QTest::newRow("digit first") << "1SEA" << Texts::InvalidICAO;
    QTest::newRow("lower case still in the box") << "ksea" << Texts::InvalidICAO;
}

void TestFrmMainCycle::airportCodeIsChecked()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    frmMain& w = h->start();
    Ui(w).txtICAO->setFocus();
    QTest::keyClicks(Ui(w).txtICAO, typed);
    Ui(w).mnuFileStartStop->trigger(); // the menu leaves the focus in the box
    QCOMPARE(h->dialogs.shown.size(), 1);
    QCOMPARE(h->dialogs.shown[0].text, message);
    QCOMPARE(h->dialogs.shown[0].title, QStringLiteral("Error"));
    QVERIFY(!Ui(w).tmrMain->isActive());
    QCOMPARE(Ui(w).cmdStartStop->text(), QStringLiteral("Start"));
    QCOMPARE(QApplication::focusWidget(), Ui(w).txtICAO);
    if (!typed.isEmpty())
        QCOMPARE(Ui(w).txtICAO->selectedText(), typed);
    Ui(w).mnuFileRefresh->trigger();
    QCOMPARE(h->dialogs.shown.size(), 2);
    QCOMPARE(h->server.requestCount(), 1);
}

void TestFrmMainCycle::windowStaysAliveWhileWaiting()
{
    frmMain& w = startWith("KSEA");
    h->server.faults.delayMs = 3000;
    // The timer fires only while the window keeps serving events.
    bool waitCursor = false;
    QTimer::singleShot(100, [&] {
        waitCursor = QApplication::overrideCursor() &&
                     QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        // A second cycle while the first waits ends silently as busy.
        QTest::mouseClick(Ui(w).cmdRefresh, Qt::LeftButton);
        // Stop works while the first cycle waits.
        QTest::mouseClick(Ui(w).cmdStartStop, Qt::LeftButton);
    });
    QTest::mouseClick(Ui(w).cmdStartStop, Qt::LeftButton);
    QVERIFY(waitCursor);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(h->server.requestCount(), 2); // the status file and one METAR
    QVERIFY(!Ui(w).tmrMain->isActive());
    QCOMPARE(Ui(w).cmdStartStop->text(), QStringLiteral("Start"));
    // The first cycle completed with its reply.
    QVERIFY(w.form().atisText().contains(QStringLiteral("Information ALPHA")));
    QCOMPARE(h->dialogs.shown.size(), 1);
    QCOMPARE(h->dialogs.shown[0].title, QStringLiteral("New ATIS"));
}

void TestFrmMainCycle::closeWhileWaitingForReply()
{
    frmMain& w = startWith("KSEA");
    w.state().ProfileDirty = false;
    // Neither the reply nor the fetcher's own time-out would end the wait.
    h->server.faults.delayMs = 120'000;
    h->fetcher.setTimeoutMs(300'000);
    const int saves = h->store.saves;
    QTimer::singleShot(100, [&] { QVERIFY(w.close()); });
    QElapsedTimer took;
    took.start();
    QTest::mouseClick(Ui(w).cmdRefresh, Qt::LeftButton);
    QVERIFY2(took.elapsed() < 60'000, "the close waited for the server");
    QCOMPARE(h->unloads, 1);
    QCOMPARE(h->store.saves, saves + 9);
    QVERIFY(h->dialogs.shown.isEmpty());
    QCOMPARE(readFile(h->atisPath()), QByteArray("<missing>"));
    QVERIFY(!Ui(w).tmrMain->isActive());
    // Nothing runs any more.
    w.engine().RefreshATIS();
    QCOMPARE(h->server.requestCount(), 2);
}

void TestFrmMainCycle::closeWhileMessageShown()
{
    frmMain& w = startWith("KSEA");
    w.state().ProfileDirty = false;
    const int saves = h->store.saves;
    h->dialogs.whileShown = [&](const ScriptedDialogs::Shown& shown) {
        if (shown.title == QLatin1String("New ATIS"))
            w.close();
    };
    QTest::mouseClick(Ui(w).cmdStartStop, Qt::LeftButton);
    QCOMPARE(h->unloads, 1);
    QCOMPARE(h->store.saves, saves + 9);
    QCOMPARE(h->dialogs.shown.size(), 1);
    QCOMPARE(h->desktop.clipboardSets, 0); // the copy after the box does not run
    QVERIFY(!Ui(w).tmrMain->isActive());
}

void TestFrmMainCycle::realMessageBox()
{
    frmMain& w = h->start(true);
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        QTest::keyClick(box, Qt::Key_Enter);
    });
    QTest::mouseClick(Ui(w).cmdStartStop, Qt::LeftButton);
    QCOMPARE(text, QStringLiteral("Must enter airport ICAO code."));
    QCOMPARE(title, QStringLiteral("Error"));
    QCOMPARE(icon, QMessageBox::Warning);
    QVERIFY(!Ui(w).tmrMain->isActive());
}

void TestFrmMainCycle::copyFailureIsTold()
{
    frmMain& w = startWith("KSEA");
    w.form().setAtisText("Information ALPHA");
    h->desktop.clipboardFailure = Failure{2, "The clipboard did not accept the text."};
    QTest::mouseClick(Ui(w).cmdCopy, Qt::LeftButton);
    QCOMPARE(h->dialogs.shown.size(), 1);
    QVERIFY(h->dialogs.shown[0].text.startsWith(Texts::CopyError));
    QVERIFY(w.isVisible());
    h->desktop.clipboardFailure.reset();
    Ui(w).mnuFileCopy->trigger();
    QCOMPARE(h->desktop.clipboard, QStringLiteral("Information ALPHA"));
}

void TestFrmMainCycle::realClipboard()
{
    QtDesktop desktop;
    QCOMPARE(desktop.setClipboardText(QStringLiteral("Information ALPHA")), std::nullopt);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Information ALPHA"));
}

void TestFrmMainCycle::atisFileOptions()
{
    frmMain& w = startWith("KSEA");
    Ui(w).mnuOptionsUpdateATISFile->trigger(); // off: shown, not written
    QTest::mouseClick(Ui(w).cmdRefresh, Qt::LeftButton);
    QVERIFY(w.form().atisText().contains(QStringLiteral("Information ALPHA")));
    QCOMPARE(readFile(h->atisPath()), QByteArray("<missing>"));
    Ui(w).mnuOptionsUpdateATISFile->trigger();
    w.state().ATISFilePath = h->dir.filePath("no-such-folder/atis.txt");
    QTest::mouseClick(Ui(w).cmdRefresh, Qt::LeftButton);
    QVERIFY(h->dialogs.shown.last().text.startsWith(Texts::WriteError));
    w.state().ATISFilePath = h->atisPath();
    QTest::mouseClick(Ui(w).cmdRefresh, Qt::LeftButton);
    QCOMPARE(readFile(h->atisPath()), w.form().atisText().toUtf8());
}

void TestFrmMainCycle::takesOverTheLetterOnTheAir()
{
    LiveFeedLookup lookup;
    h->lookup = &lookup;
    h->server.setOnlineAtis("KSEA_ATIS", "D");
    h->server.setFeedPadding(2'000'000);
    frmMain& w = startWith("KSEA");
    QTest::mouseClick(Ui(w).cmdStartStop, Qt::LeftButton);
    // The window goes on while the feed comes; the first cycle follows it.
    QCOMPARE(Ui(w).cmdStartStop->text(), QStringLiteral("Stop"));
    QTRY_COMPARE_WITH_TIMEOUT(h->dialogs.shown.size(), 1, 60'000);
    QCOMPARE(Ui(w).cboATISCode->currentText(), QStringLiteral("DELTA"));
    QVERIFY(w.form().atisText().contains(QStringLiteral("Information DELTA Winds")));
    QVERIFY(h->dialogs.shown[0].text.endsWith(
        QStringLiteral("\r\n\r\nDELTA was taken over from KSEA_ATIS, already on the air.\r\n\r\n"
                       "Press OK to copy to clipboard.")));
    QCOMPARE(Ui(w).lblATISCode->text(), QStringLiteral("Current Code:"));
}

void TestFrmMainCycle::takeOverOptionIsKept()
{
    frmMain& w = h->start();
    QVERIFY(Ui(w).mnuOptionsTakeOverCode->isCheckable());
    QVERIFY(Ui(w).mnuOptionsTakeOverCode->isChecked());
    Ui(w).mnuOptionsTakeOverCode->trigger();
    QVERIFY(w.close());
    QCOMPARE(h->fileStore.GetSetting("Settings", "TakeOverOnlineCode"), QStringLiteral("False"));
    h->window.reset();
    QVERIFY(!Ui(h->start()).mnuOptionsTakeOverCode->isChecked());
}

void TestFrmMainCycle::ageBesideTheLastMetar()
{
    frmMain& w = startWith("KSEA");
    QVERIFY(Ui(w).lblMetarAge->text().isEmpty());
    QTest::mouseClick(Ui(w).cmdRefresh, Qt::LeftButton);
    QCOMPARE(Ui(w).lblMetarAge->text(), QStringLiteral("Age 7 min"));
    QVERIFY(!static_cast<MetarAgeLabel*>(Ui(w).lblMetarAge)->stale());
    h->now = h->now.addSecs(64 * 60);
    QTest::mouseClick(Ui(w).cmdRefresh, Qt::LeftButton);
    QCOMPARE(Ui(w).lblMetarAge->text(), QStringLiteral("STALE 1 h 11 min"));
    QVERIFY(static_cast<MetarAgeLabel*>(Ui(w).lblMetarAge)->stale());
    QVERIFY(Ui(w).lblMetarAge->width() >=
            QFontMetrics(Ui(w).lblMetarAge->font()).horizontalAdvance(Ui(w).lblMetarAge->text()));
    // The no-METAR reply has no age.
    Ui(w).txtICAO->setText("ZZZZ");
    QTest::mouseClick(Ui(w).cmdRefresh, Qt::LeftButton);
    QVERIFY(Ui(w).lblMetarAge->text().isEmpty());
}

BRIEFCAST_UI_TEST_MAIN(TestFrmMainCycle)
#include "test_frmmain_cycle.moc"
