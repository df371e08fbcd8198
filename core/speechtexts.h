#pragma once

#include "core/texts.h"

// The messages about speaking the ATIS, defined once.
namespace SpeechTexts {
using Texts::UserText;
// Followed by the reason the speaker gives: no engine installed, or the
// engine's failure.
inline constexpr UserText SpeechUnavailable{
    QT_TRANSLATE_NOOP("Texts", "The ATIS cannot be spoken. Everything else works as before.")};
inline constexpr UserText NothingToSpeak{
    QT_TRANSLATE_NOOP("Texts", "No ATIS has been generated yet: there is nothing to speak.")};
} // namespace SpeechTexts
