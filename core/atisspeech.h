#pragma once

#include "core/composition.h"

#include <QObject>
#include <QString>

class Dialogs;
class Speaker;

// What the tool remembers about speech between runs.
struct SpeechSettings
{
    bool speakNewATIS = false;
    QString voice; // empty: the engine's default
    double rate = 0.0;
};

// "Speak ATIS" and the automatic speaking of each new ATIS, over a speech
// engine. Keeps the spoken form of the last generated ATIS.
class AtisSpeech : public QObject
{
    Q_OBJECT
public:
    AtisSpeech(Speaker& speaker, Dialogs& dialogs, QObject* parent = nullptr);

    // The ATIS just generated.
    void atisBuilt(const ComposedAtis& atis);
    // A new ATIS is being announced: spoken when the option is on.
    void atisAnnounced();
    // The command: speaks the last generated ATIS; while speaking, stops.
    void SpeakATIS();

    QString spokenText() const { return m_spoken; }
    const SpeechSettings& settings() const { return m_settings; }
    void setSettings(const SpeechSettings& settings);
    // True once the user was told that speech is not available.
    bool unavailableTold() const { return m_told; }

Q_SIGNALS:
    // Speech is not available and the user has been told so.
    void unavailable();

private:
    void speak();
    void tellUnavailable();

    Speaker& m_speaker;
    Dialogs& m_dialogs;
    SpeechSettings m_settings;
    QString m_spoken;
    bool m_told = false;
};
