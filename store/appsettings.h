#pragma once

class AtisForm;
class ProfileCommands;
class SettingsStore;
struct SessionState;
struct SpeechSettings;

// The start-up of the window's state up to the server discovery: the code
// list at ALPHA, auto-update off, the program settings, the last profile
// (or the default template) and the profile list, in that order, leaving no
// unsaved changes.
void LoadStartupSettings(SettingsStore& store, AtisForm& form, ProfileCommands& profiles,
                         SessionState& state);

// Writes the program settings at unload, all of them in one write: false
// when it did not reach the store, which then holds what it held before.
bool SaveSettings(SettingsStore& store, const AtisForm& form, const SessionState& state,
                  const SpeechSettings& speech, bool takeOverOnlineCode);

// The speech settings, read at start-up after the others: off, the default
// voice and the normal rate when missing.
SpeechSettings LoadSpeechSettings(const SettingsStore& store);
// The option of taking over the letter on the air: on unless switched off.
bool LoadTakeOverOnlineCode(const SettingsStore& store);
