#pragma once

#include "core/settingsstore.h"

// The settings store in an INI file of QSettings' form (see IniFile); the
// program's own is userFile(). Every section is one group and every key one
// key of it, their names encoded as EncodeStoreName says.
//
// The file is read afresh for every call, so what another running instance
// wrote is always seen, and nothing is kept in memory between calls: a write
// that fails leaves nothing behind to be written later. A write takes the
// lock file QSettings uses (the file's name and ".lock"), reads the file,
// changes it and replaces it whole, every byte checked through to the disk
// (ReplaceFileContent): another instance writing at the same moment waits
// for it, and a crash, a full disk or any other failure leaves the previous
// content. (QSettings' own INI backend keeps one cache per file and process
// that holds a failed change and writes it with the next sync, and it reads
// hand-written values with "," or ";" as lists and comments.)
class IniFileStore : public SettingsStore
{
public:
    explicit IniFileStore(const QString& file);

    // $XDG_CONFIG_HOME/Briefcast/Briefcast.conf.
    static QString userFile();

    bool SaveSetting(const QString& section, const QString& key, const QString& value) override;
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const override;
    std::optional<Pairs> GetAllSettings(const QString& section) const override;
    bool DeleteSetting(const QString& section,
                       const std::optional<QString>& key = std::nullopt) override;
    bool writeTogether(const QList<Change>& changes) override;
    // The file's size and time of last change (every write replaces the
    // file); empty for a file changed in the last two seconds.
    QString changeStamp() const override;

    QString fileName() const { return m_file; }
    // How long a write waits for another writer's lock before it fails.
    void setLockWait(int milliseconds) { m_lockWait = milliseconds; }

private:
    QString m_file;
    // Writes of another instance take milliseconds; a lock held longer than
    // this belongs to one that hangs.
    int m_lockWait = 10000;
};
