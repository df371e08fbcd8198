#pragma once

#include "core/dialogs.h"

#include <QList>
#include <QObject>

// The dialogs of one window, never two boxes at once. A notice (tell) waits
// for the box that is open, such as the "New ATIS" message whose event loop
// delivered the speech engine's failure, and is shown from the event loop
// once no box is open, so also after the box the current command may still
// open. Messages, questions and the other dialogs are passed on at once:
// the command that shows them waits for their answer.
class OneBoxAtATime : public QObject, public Dialogs
{
public:
    explicit OneBoxAtATime(Dialogs& inner, QObject* parent = nullptr);

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    QString input(const QString& prompt, const QString& title, const QString& proposed) override;
    QString openFile(const OpenFileRequest& request) override;
    void tell(const QString& text, const QString& title, Icon icon) override;

    // The program is closing: notices still waiting, and any later, are dropped.
    void shutDown();

private:
    struct Notice
    {
        QString text;
        QString title;
        Icon icon;
    };
    // Counts the box open while show() runs.
    template <class Show> auto whileOpen(Show show);
    void showWaitingLater();
    void showWaiting();

    Dialogs& m_inner;
    int m_open = 0;
    bool m_shutDown = false;
    QList<Notice> m_waiting;
};
