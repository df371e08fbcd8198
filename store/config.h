#pragma once

#include "core/settingsstore.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

// One program setting of the section "Settings": its key, the kind of value
// it holds, and the stored text a missing or unreadable value reads as.
struct Setting
{
    enum class Kind
    {
        Text,  // as stored
        Flag,  // "True" or "False" (any letter case on reading, or a number: 0 is false)
        Number // a number within [min, max]
    };

    QString key;
    Kind kind = Kind::Text;
    QString fallback;
    double min = 0.0;
    double max = 0.0;

    // The value of a stored text (a QString, bool or double after the kind).
    QVariant parse(const QString& stored) const;
    // How the value is stored.
    QString format(const QVariant& value) const;
};

// The values of the program settings, by key.
class ProgramSettings
{
public:
    QVariant value(const QString& key) const { return m_values.value(key); }
    QString text(const QString& key) const { return value(key).toString(); }
    bool flag(const QString& key) const { return value(key).toBool(); }
    double number(const QString& key) const { return value(key).toDouble(); }
    void set(const QString& key, const QVariant& value) { m_values.insert(key, value); }

private:
    QHash<QString, QVariant> m_values;
};

// Every program setting the program keeps, in the section "Settings".
//
// To add one: a key below and its row in program() (key, kind, default).
// Then bind the key where the window creates what shows the value (a
// control, a field of SessionState, an option; see SettingsBinding). Start-up
// reads it and shows it there, the close collects it from there and writes
// it with the others; nothing else changes.
class Config
{
public:
    static inline const QString Section = QStringLiteral("Settings");

    static inline const QString ICAO = QStringLiteral("ICAO");
    // Written at unload, never read back: a profile or the default is shown.
    static inline const QString Template = QStringLiteral("Template");
    static inline const QString LastProfile = QStringLiteral("LastProfile");
    static inline const QString UpdateATISFile = QStringLiteral("UpdateATISFile");
    static inline const QString ATISFilePath = QStringLiteral("ATISFilePath");
    static inline const QString ATISFileEncoding = QStringLiteral("ATISFileEncoding");
    static inline const QString SpeakNewATIS = QStringLiteral("SpeakNewATIS");
    static inline const QString SpeechVoice = QStringLiteral("SpeechVoice"); // empty: the default
    static inline const QString SpeechRate = QStringLiteral("SpeechRate");   // -1 to 1
    // Whether starting auto-update takes over the letter already on the air.
    static inline const QString TakeOverOnlineCode = QStringLiteral("TakeOverOnlineCode");
    // The local ATIS generator: whether it serves, and on which port of 127.0.0.1.
    static inline const QString GeneratorEnabled = QStringLiteral("GeneratorEnabled");
    static inline const QString GeneratorPort = QStringLiteral("GeneratorPort");
    static constexpr quint16 DefaultGeneratorPort = 49150;

    // The rows, in the order the section is written.
    static QList<Setting> program();

    // Every program setting from the store; a missing key reads as its
    // fallback, keys no row knows are ignored.
    static ProgramSettings load(const SettingsStore& store);
    // All of them in one write: false when it did not reach the store, which
    // then holds what it held before.
    static bool save(SettingsStore& store, const ProgramSettings& values);
};

// Where the radar client reads its ATIS. On Windows its installation folder;
// elsewhere the radar client runs under Wine, so the same file inside the
// Wine prefix ($WINEPREFIX, or ~/.wine).
QString DefaultATISFilePath();
