#pragma once

#include "core/composition.h"

#include <QObject>
#include <QString>

class Dialogs;
class ProgramSettings;
class Speaker;

// "Speak ATIS" and the automatic speaking of each new ATIS, over a speech
// engine. Keeps the spoken form of the last generated ATIS.
class AtisSpeech : public QObject
{
    Q_OBJECT
public:
    // Speaks with the voice and rate of the settings, and each new ATIS
    // while SpeakNewATIS is on.
    AtisSpeech(Speaker& speaker, Dialogs& dialogs, const ProgramSettings& settings,
               QObject* parent = nullptr);

    // The ATIS just generated.
    void atisBuilt(const ComposedAtis& atis);
    // A new ATIS is being announced: spoken when the option is on.
    void atisAnnounced();
    // The command: speaks the last generated ATIS; while speaking, stops.
    void SpeakATIS();

    QString spokenText() const { return m_spoken; }
    // The engine's voices by name; empty without an engine.
    QStringList voices();
    // The settings' voice or rate changed: the engine takes them on.
    void voiceAndRateChanged();
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
    const ProgramSettings& m_settings;
    QString m_spoken;
    bool m_told = false;
};
