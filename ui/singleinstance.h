#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One running program per settings file: two would fight over atis.txt, each
// advancing its own letter, and over the ports they serve on. The first start
// listens on a local socket named after the settings file; a second start for
// the same settings asks it to show its window and ends. A socket left by a
// program that crashed answers nobody and is replaced.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Start
    {
        First,       // this program runs, and is told of later starts
        HandedOver,  // one runs already for these settings and shows its window
        NotAnswering // one runs already, but did not answer
    };

    explicit SingleInstance(const QString& settingsFile, QObject* parent = nullptr);

    Start start();

Q_SIGNALS:
    // A later start for the same settings asks for this program's window.
    void showRequested();

private:
    void answer(class QLocalSocket* socket);

    QString m_name;
    QLocalServer m_server;
};
