#pragma once

#include "store/config.h"

class AtisForm;
class ProfileCommands;
class SettingsStore;
struct SessionState;

// The start-up of the window's state up to the server discovery: the code
// list at ALPHA, auto-update off, the program settings, the last profile
// (or the default template) and the profile list, in that order, leaving no
// unsaved changes. Returns the program settings read, for the options the
// window keeps itself (speech, taking over the letter on the air).
ProgramSettings LoadStartupSettings(SettingsStore& store, AtisForm& form, ProfileCommands& profiles,
                                    SessionState& state);

// Writes the program settings at unload, all of them in one write: false
// when it did not reach the store, which then holds what it held before.
bool SaveSettings(SettingsStore& store, const AtisForm& form, const SessionState& state,
                  const SpeechSettings& speech, bool takeOverOnlineCode,
                  const GeneratorSettings& generator);
