#pragma once

#include "core/settingsstore.h"

#include <QString>

// The program settings, kept in the section "Settings" of the store: one
// field each, named as its key. Their kinds and defaults are written once,
// in the table of settings (programsettings.cpp): a value is made from that
// table's defaults or read from the store through it, never otherwise.
//
// To add a setting: a field here and its row in the table (key, field,
// default). Then use the field where the program reads or changes the
// value; start-up reads it, the close writes it, nothing else changes.
class ProgramSettings
{
public:
    static inline const QString Section = QStringLiteral("Settings");

    QString ICAO;
    // Written at unload, never read back: a profile or the default is shown.
    QString Template;
    QString LastProfile;
    bool UpdateATISFile;
    // Where atis.txt is written.
    QString ATISFilePath;
    bool SpeakNewATIS;
    QString SpeechVoice; // empty: the engine's default
    double SpeechRate;   // -1 (slowest) to 1 (fastest)
    // Whether starting auto-update takes over the letter already on the air.
    bool TakeOverOnlineCode;
    // The code page atis.txt is written in (see EncodeForATISFile).
    QString ATISFileEncoding;
    // The local ATIS generator: whether it serves, and on which port of 127.0.0.1.
    bool GeneratorEnabled;
    quint16 GeneratorPort;

    // Every setting at its default.
    static ProgramSettings defaults();
    // Every setting from the store; a missing or unreadable value reads as
    // its default, keys the table does not know are ignored.
    static ProgramSettings load(const SettingsStore& store);
    // All of them in one write, in the order of the table: false when it did
    // not reach the store, which then holds what it held before.
    bool save(SettingsStore& store) const;

    bool operator==(const ProgramSettings&) const = default;

private:
    ProgramSettings() = default;
};

// Where the radar client reads its ATIS. On Windows its installation folder;
// elsewhere the radar client runs under Wine, so the same file inside the
// Wine prefix ($WINEPREFIX, or ~/.wine).
QString DefaultATISFilePath();
