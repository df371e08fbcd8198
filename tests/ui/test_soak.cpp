#include "core/atisengine.h"
#include "tests/ui/uiharness.h"
#include "ui/windowform.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <unistd.h>

// Ten thousand auto-update cycles through the real window against the local
// weather server, whose observation changes at random and which fails one
// reply in twenty, in one of five ways.
class TestSoak : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tenThousandCycles();

private:
    static qint64 residentBytes()
    {
        QFile statm(QStringLiteral("/proc/self/statm"));
        if (!statm.open(QIODevice::ReadOnly))
            return 0;
        const QList<QByteArray> fields = statm.readAll().split(' ');
        return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
    }
};

void TestSoak::tenThousandCycles()
{
    const int cycles = qEnvironmentVariableIntValue("BRIEFCAST_SOAK_CYCLES") > 0
                           ? qEnvironmentVariableIntValue("BRIEFCAST_SOAK_CYCLES")
                           : 10'000;
    enum Fault
    {
        None,
        TimeOut,
        CloseMidBody,
        ServerError,
        Garbage,
        NoMetar
    };

    UiHarness h;
    frmMain& w = h.start();
    Ui(w).txtICAO->setText(QStringLiteral("KSEA"));
    QRandomGenerator rng(20261207);
    int minute = 0;
    auto observation = [&] {
        // Days 10 to 37 would not be dates: wrap over four weeks from the 1st.
        return QStringLiteral("%1%2Z")
            .arg(1 + minute / 1440 % 28, 2, 10, QLatin1Char('0'))
            .arg(minute % 1440 / 60 * 100 + minute % 60, 4, 10, QLatin1Char('0'));
    };
    auto serve = [&] {
        h.server.setMetar(
            "KSEA", QStringLiteral("KSEA %1 %2%4KT 10SM FEW015 BKN035 12/09 A29%3 RMK AO2\r\n")
                        .arg(observation())
                        .arg(rng.bounded(36) * 10 + 10, 3, 10, QLatin1Char('0'))
                        .arg(rng.bounded(10, 99))
                        .arg(rng.bounded(3, 30), 2, 10, QLatin1Char('0'))
                        .toUtf8());
    };
    // What the code must be: one step on for each new observation delivered.
    int expectedCode = 0;
    QString lastDelivered;
    auto delivered = [&] {
        if (observation() != lastDelivered && !lastDelivered.isEmpty())
            expectedCode = (expectedCode + 1) % 26;
        lastDelivered = observation();
    };
    // Starting auto-update takes the code shown as the starting code.
    auto restarted = [&] { lastDelivered = observation(); };

    serve();
    QTest::mouseClick(Ui(w).cmdStartStop, Qt::LeftButton);
    restarted();
    QVERIFY(Ui(w).tmrMain->isActive());
    qint64 rssAfterHundred = 0;
    int faults = 0;
    int advances = 0;
    for (int i = 0; i < cycles; ++i) {
        if (rng.bounded(2) == 0)
            minute += 1 + int(rng.bounded(60));
        serve();
        const Fault fault = rng.bounded(20) == 0 ? Fault(1 + rng.bounded(5)) : None;
        h.server.faults = {};
        switch (fault) {
        case TimeOut:
            // A server that does not answer at all: no reply can race the time-out.
            h.server.faults.delayMs = 3'600'000;
            break;
        case CloseMidBody:
            h.server.faults.closeMidBody = true;
            break;
        case ServerError:
            h.server.faults.status = 500;
            h.server.faults.reason = "Internal Server Error";
            break;
        case Garbage:
            h.server.setMetar("KSEA", QByteArray("<html>\x01\xff garbage</html>"));
            break;
        case NoMetar:
            h.server.clearMetars();
            break;
        case None:
            break;
        }
        faults += fault != None;
        // Every reply is waited for as long as a busy machine may need.
        h.fetcher.setTimeoutMs(fault == TimeOut ? 50 : 60'000);
        const int codeBefore = w.form().codeIndex();

        // The 300th tick of the timer.
        w.state().TickCounter = AtisEngine::UpdateEveryTicks - 1;
        w.engine().tmrMain_Timer();
        if (fault == None)
            delivered();
        if (fault == NoMetar) {
            QVERIFY(!Ui(w).tmrMain->isActive());
            h.server.faults = {};
            serve();
            QTest::mouseClick(Ui(w).cmdStartStop, Qt::LeftButton); // its first cycle runs at once
            restarted();
            QVERIFY(Ui(w).tmrMain->isActive());
        }
        // Back in the main loop between ticks.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();

        advances += w.form().codeIndex() != codeBefore;
        QVERIFY2(w.form().codeIndex() == expectedCode,
                 qPrintable(QStringLiteral("cycle %1, fault %2, code %3 expected %4, message: %5")
                                .arg(i)
                                .arg(int(fault))
                                .arg(w.form().codeIndex())
                                .arg(expectedCode)
                                .arg(h.dialogs.shown.isEmpty() ? QString()
                                                               : h.dialogs.shown.last().text)));
        QVERIFY2(readFile(h.atisPath()) == w.form().atisText().toUtf8(),
                 qPrintable(QStringLiteral("cycle %1").arg(i)));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        h.dialogs.shown.clear();
        if (i == 99)
            rssAfterHundred = residentBytes();
    }
    const qint64 rssAtEnd = residentBytes();
    qInfo(
        "%d cycles, %d faults, %d code advances; resident %.1f MiB after 100, %.1f MiB at the end",
        cycles, faults, advances, rssAfterHundred / 1048576.0, rssAtEnd / 1048576.0);
    QVERIFY(advances > cycles / 4);
#ifndef __SANITIZE_ADDRESS__
    // (AddressSanitizer keeps freed memory in quarantine: no measure there.)
    QVERIFY2(rssAtEnd - rssAfterHundred < 5 * 1024 * 1024, "resident memory grew by 5 MiB or more");
#endif
}

BRIEFCAST_UI_TEST_MAIN(TestSoak)
#include "test_soak.moc"
