#pragma once

#include <QString>

// Texts of the spoken ATIS, defined once.
namespace SpeechTexts {
inline const QString SpeakATIS = QStringLiteral("Spea&k ATIS");
inline const QString SpeakNewATIS = QStringLiteral("&Speak New ATIS Automatically");
inline const QString Voice = QStringLiteral("&Voice");
inline const QString DefaultVoice = QStringLiteral("&Default");
inline const QString Rate = QStringLiteral("Speech &Rate");
// Followed by the reason: no engine installed, or the engine's failure.
inline const QString SpeechUnavailable =
    QStringLiteral("The ATIS cannot be spoken. Everything else works as before.");
inline const QString NothingToSpeak =
    QStringLiteral("No ATIS has been generated yet: there is nothing to speak.");
inline const QString NoEngineInstalled = QStringLiteral("No text-to-speech engine is installed.");
inline const QString EngineFailed =
    QStringLiteral("The speech engine \"%1\" reported an error: is an audio output available?");
} // namespace SpeechTexts
