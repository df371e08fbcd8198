#pragma once

#include "core/settingsstore.h"

#include <QSettings>
#include <memory>

// The settings store in the Windows registry, application "Briefcast",
// through QSettings' native format. The registry ignores letter case: names
// are encoded as EncodeStoreName says for such a backend, so that names
// differing only in case stay distinct. (Elsewhere the native format is a
// file of QSettings' own; the program keeps an IniFileStore there.)
class RegistryStore : public SettingsStore
{
public:
    RegistryStore();
    ~RegistryStore() override;

    bool SaveSetting(const QString& section, const QString& key, const QString& value) override;
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const override;
    std::optional<Pairs> GetAllSettings(const QString& section) const override;
    bool DeleteSetting(const QString& section,
                       const std::optional<QString>& key = std::nullopt) override;
    // The registry takes each write at once: what the keys held before is
    // kept, and put back when a write of the batch fails.
    bool writeTogether(const QList<Change>& changes) override;

    // Where the settings are kept: the registry key's path.
    QString fileName() const { return m_registry->fileName(); }

private:
    // The keys of a group as stored (encoded), with their values.
    std::optional<Pairs> group(const QString& encoded) const;

    std::unique_ptr<QSettings> m_registry;
};
