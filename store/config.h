#pragma once

#include "core/atisspeech.h"
#include "core/settingsstore.h"

#include <QList>
#include <QString>

class AtisForm;

// One stored setting: its key, the stored text a missing key reads as, and
// how its value is read from and written as that text.
template <typename Values> struct Setting
{
    QString key;
    QString fallback;
    void (*parse)(Values& values, const QString& stored);
    QString (*format)(const Values& values);
};

// The local ATIS generator: whether it serves, and on which port of
// 127.0.0.1.
struct GeneratorSettings
{
    static constexpr quint16 DefaultPort = 49150;
    bool enabled = true;
    quint16 port = DefaultPort;
};

// What the program remembers between runs besides the profiles.
struct ProgramSettings
{
    QString ICAO;
    QString Template; // written at unload, never read back: a profile or the default is shown
    QString LastProfile;
    bool UpdateATISFile{};
    QString ATISFilePath;
    SpeechSettings speech;
    // Whether starting auto-update takes over the letter already on the air.
    bool TakeOverOnlineCode{};
    GeneratorSettings generator;
};

// Every setting the program keeps: the section "Settings" and the keys of
// each profile's section. Reading and writing both walk these tables, so a
// key, its default and its stored form are written once.
class Config
{
public:
    static inline const QString Section = QStringLiteral("Settings");

    // The section "Settings", in the order it is written.
    static QList<Setting<ProgramSettings>> program();
    // A profile's section: parsing sets the window's controls.
    static const QList<Setting<AtisForm>>& profile();

    // Every setting of the table from a section's keys; a missing key reads
    // as its fallback, keys the table does not know are ignored.
    template <typename Values>
    static void read(const QList<Setting<Values>>& table,
                     const std::optional<SettingsStore::Pairs>& stored, Values& values)
    {
        const SettingsStore::Pairs pairs = stored.value_or(SettingsStore::Pairs());
        for (const Setting<Values>& s : table) {
            QString text = s.fallback;
            for (const auto& [key, value] : pairs) {
                if (key == s.key)
                    text = value;
            }
            s.parse(values, text);
        }
    }
    // The writes that store every setting of the table in the section.
    template <typename Values>
    static QList<SettingsStore::Change> changes(const QList<Setting<Values>>& table,
                                                const QString& section, const Values& values)
    {
        QList<SettingsStore::Change> out;
        for (const Setting<Values>& s : table)
            out.append({section, s.key, s.format(values)});
        return out;
    }

    static ProgramSettings load(const SettingsStore& store);
    // All of them in one write: false when it did not reach the store, which
    // then holds what it held before.
    static bool save(SettingsStore& store, const ProgramSettings& values);
};

// Where the radar client reads its ATIS. On Windows its installation folder;
// elsewhere the radar client runs under Wine, so the same file inside the
// Wine prefix ($WINEPREFIX, or ~/.wine).
QString DefaultATISFilePath();
