#include "core/atisengine.h"
#include "tests/ui/uiharness.h"

#include <QRandomGenerator>
#include <unistd.h>

// Ten thousand auto-update cycles through the real window against the local
// weather server, whose observation changes at random and which fails one
// reply in twenty, in one of five ways.
class TestSoak : public QObject
{
    Q_OBJECT
    static qint64 residentBytes()
    {
        return readFile("/proc/self/statm").split(' ').value(1).toLongLong() *
               sysconf(_SC_PAGESIZE);
    }

private Q_SLOTS:
    void tenThousandCycles()
    {
        const int cycles = qEnvironmentVariable("BRIEFCAST_SOAK_CYCLES", "10000").toInt();
        UiHarness h;
        h.start();
        h.get<QLineEdit>("txtICAO")->setText(QStringLiteral("KSEA"));
        QRandomGenerator rng(20261207);
        int minute = 0, code = 0;
        qint64 rssAfterHundred = 0;
        QString observation, delivered; // "DDHHMMZ"; the one the ATIS was built from
        auto serve = [&] {
            // Days 10 to 37 would not be dates: wrap over four weeks from the 1st.
            observation = QString::asprintf("%02d%02d%02dZ", 1 + minute / 1440 % 28,
                                            minute % 1440 / 60, minute % 60);
            h.server.setMetar("KSEA",
                              QString::asprintf("KSEA %s %03d%02dKT 10SM FEW015 12/09 A29%02d\r\n",
                                                qPrintable(observation), rng.bounded(36) * 10 + 10,
                                                rng.bounded(3, 30), rng.bounded(10, 99))
                                  .toUtf8());
        };
        serve();
        h.press("cmdStartStop"); // its first cycle takes the starting code
        delivered = observation;
        for (int i = 0; i < cycles; ++i) {
            if (rng.bounded(2) == 0)
                minute += 1 + int(rng.bounded(60));
            serve();
            // 1 a server that never answers, 2 cut short, 3 an error, 4 garbage, 5 no METAR.
            const int fault = rng.bounded(20) == 0 ? 1 + int(rng.bounded(5)) : 0;
            h.server.faults = {};
            h.server.faults.delayMs = fault == 1 ? 3'600'000 : 0;
            h.server.faults.closeMidBody = fault == 2;
            h.server.faults.status = fault == 3 ? 500 : 0;
            if (fault == 4)
                h.server.setMetar("KSEA", QByteArray("<html>\x01\xff garbage</html>"));
            if (fault == 5)
                h.server.clearMetars();
            // Every reply is waited for as long as a busy machine may need.
            h.fetcher.setTimeoutMs(fault == 1 ? 50 : 60'000);
            // The 300th second of auto-update runs the cycle.
            for (int tick = 0; tick < AtisEngine::UpdateEveryTicks; ++tick)
                h.session->tick();
            if (fault == 0 && observation != delivered)
                code = (code + 1) % 26, delivered = observation;
            if (fault == 5) { // auto-update stopped: started again on a good reply
                h.server.faults = {};
                serve();
                h.press("cmdStartStop");
                delivered = observation;
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
            QVERIFY2(h.form().codeIndex() == code && h.form().timerEnabled(),
                     qPrintable(QString::asprintf("cycle %d, fault %d", i, fault)));
            QVERIFY(readFile(h.atisPath()) == h.form().atisText().toUtf8());
            h.dialogs.shown.clear();
            if (i == 99)
                rssAfterHundred = residentBytes();
        }
        const qint64 grown = residentBytes() - rssAfterHundred;
#ifndef __SANITIZE_ADDRESS__
        // (AddressSanitizer keeps freed memory in quarantine: no measure there.)
        QVERIFY2(grown < 5 * 1024 * 1024, qPrintable(QString("grew %1 bytes").arg(grown)));
#endif
    }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
