#pragma once

#include <QObject>

class QAction;
class QMenu;
class Session;

// The speech commands of the window: "Speak ATIS" in the File menu, and in
// the Options menu the automatic speaking of each new ATIS, the voice and
// the rate.
class SpeechMenus : public QObject
{
    Q_OBJECT
public:
    // Puts "Speak ATIS" before the File menu's separator and the options at
    // the end of the Options menu.
    SpeechMenus(QMenu* file, QMenu* options, Session& session, QObject* parent = nullptr);

    // Shows the speech settings, after they were read.
    void showSettings();

    QAction* mnuFileSpeak = nullptr;
    QAction* mnuOptionsSpeakNewATIS = nullptr;
    QMenu* mnuOptionsVoice = nullptr;
    QMenu* mnuOptionsRate = nullptr;

private:
    void fillVoices();

    Session& m_session;
};
