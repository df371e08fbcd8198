#pragma once

#include <QString>

class AtisForm;
class ProfileCommands;
class SettingsStore;
struct SessionState;
struct SpeechSettings;

// The section "Settings": what the tool remembers between runs besides the
// profiles.
namespace AppSettings {
inline const QString Section = QStringLiteral("Settings");
inline const QString ICAO = QStringLiteral("ICAO");
inline const QString Template = QStringLiteral("Template");
inline const QString LastProfile = QStringLiteral("LastProfile");
inline const QString UpdateATISFile = QStringLiteral("UpdateATISFile");
inline const QString ATISFilePath = QStringLiteral("ATISFilePath");
inline const QString SpeakNewATIS = QStringLiteral("SpeakNewATIS");
inline const QString SpeechVoice = QStringLiteral("SpeechVoice");
inline const QString SpeechRate = QStringLiteral("SpeechRate");
// Whether starting auto-update takes over the letter already on the air.
inline const QString TakeOverOnlineCode = QStringLiteral("TakeOverOnlineCode");
} // namespace AppSettings

// Where the radar client reads its ATIS. On Windows its installation folder;
// elsewhere the radar client runs under Wine, so the same file inside the
// Wine prefix ($WINEPREFIX, or ~/.wine).
QString DefaultATISFilePath();

// "True" or "False" in any letter case, or a number (0 is false); anything
// else gives the default, true.
bool ParseUpdateATISFile(const QString& stored);

// The start-up of the window's state up to the server discovery: the code
// list at ALPHA, auto-update off, the application settings, the last profile
// (or the default template) and the profile list, in that order, leaving no
// unsaved changes.
void LoadStartupSettings(SettingsStore& store, AtisForm& form, ProfileCommands& profiles,
                         SessionState& state);

// Writes the five application settings at unload. Returns false when a write
// did not reach the store.
bool SaveSettings(SettingsStore& store, const AtisForm& form, const SessionState& state);

// The speech settings, read at start-up after the others: off, the default
// voice and the normal rate when missing; a rate that is not a number between
// -1 and 1 is the normal rate.
SpeechSettings LoadSpeechSettings(SettingsStore& store);
// Writes them at unload, after the others. False when a write failed.
bool SaveSpeechSettings(SettingsStore& store, const SpeechSettings& speech);
// The option of taking over the letter on the air: on unless switched off.
bool LoadTakeOverOnlineCode(const SettingsStore& store);
bool SaveTakeOverOnlineCode(SettingsStore& store, bool on);
