#pragma once

#include "core/settingsstore.h"

#include <QSettings>
#include <memory>

// The settings store, application "Briefcast": the registry on Windows
// (through QSettings), elsewhere the INI file
// $XDG_CONFIG_HOME/Briefcast/Briefcast.conf in QSettings' INI form, or a
// given INI file.
//
// Every section is one group and every key one key of it, whatever their
// text: names are encoded so that QSettings never sees its group separators
// "/" and "\" and never loses leading or trailing blanks. Letters and digits,
// inner blanks and "_.-" stay as they are, so a hand-written file reads
// naturally; everything else becomes %XX (UTF-8). Where the backend ignores
// letter case (the registry), capital letters are written as "^" and the
// small letter, so that names differing only in case stay distinct.
//
// The file is read afresh for every call, so what another running instance
// wrote is always seen, and nothing is kept in memory between calls: a write
// that fails leaves nothing behind to be written later. A write reads the
// file, changes it and replaces it whole through a save file, under the lock
// file QSettings uses, so a crash or a failure leaves the previous content.
// (QSettings' own INI backend keeps one cache per file and process that
// holds a failed change and writes it with the next sync, and it reads
// hand-written values with "," or ";" as lists and comments.)
class QSettingsStore : public SettingsStore
{
public:
    QSettingsStore();
    explicit QSettingsStore(const QString& iniFile, bool caseInsensitiveBackend = false);
    ~QSettingsStore() override;

    bool SaveSetting(const QString& section, const QString& key, const QString& value) override;
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const override;
    std::optional<Pairs> GetAllSettings(const QString& section) const override;
    bool DeleteSetting(const QString& section,
                       const std::optional<QString>& key = std::nullopt) override;
    bool writeTogether(const QList<Change>& changes) override;
    // The file's size and time of last change (every write replaces the
    // file); empty for the registry, and for a file changed in the last two
    // seconds.
    QString changeStamp() const override;

    QString fileName() const { return m_registry ? m_registry->fileName() : m_file; }

    QString encodeName(const QString& name) const;
    QString decodeName(const QString& encoded) const;

private:
    // The keys of a group as stored (encoded), with their values.
    std::optional<Pairs> group(const QString& encoded) const;
    bool writeFile(const QList<Change>& changes);
    bool writeRegistry(const QList<Change>& changes);

    QString m_file;
    // Only on Windows; null elsewhere.
    std::unique_ptr<QSettings> m_registry;
    bool m_caseInsensitive = false;
};
