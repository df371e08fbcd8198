#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a logout without a session manager, Ctrl+C, a
// closed terminal) as a Qt signal on the event thread. The handler itself
// only writes the signal's number into a socket pair; a socket notifier
// reads it back in the event loop, where the program may end properly.
// One instance per program.
class SessionEndSignals : public QObject
{
    Q_OBJECT
public:
    explicit SessionEndSignals(QObject* parent = nullptr);
    ~SessionEndSignals() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPending();

    QSocketNotifier* m_notifier = nullptr;
};
