#pragma once

#include "settingsstore.h"

#include <QSettings>
#include <functional>
#include <memory>

// The settings store over QSettings, application "Briefcast", in the
// platform's per-user location (the registry on Windows, an INI file under
// $XDG_CONFIG_HOME/Briefcast elsewhere), or in a given INI file.
//
// Every section is one group and every key one key of it, whatever their
// text: names are encoded so that QSettings never sees its group separators
// "/" and "\" and never loses leading or trailing blanks. Letters and digits,
// inner blanks and "_.-" stay as they are, so a hand-written file reads
// naturally; everything else becomes %XX (UTF-8). Where the backend ignores
// letter case (the registry), capital letters are written as "^" and the
// small letter, so that names differing only in case stay distinct.
//
// Every write is synced at once and checked: false when it did not reach
// the disk. QSettings writes its file through a save file, so a crash during
// a write leaves the previous content.
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
    bool DeleteSetting(const QString& section, const std::optional<QString>& key = std::nullopt) override;

    QString fileName() const { return m_settings->fileName(); }

    QString encodeName(const QString& name) const;
    QString decodeName(const QString& encoded) const;

private:
    bool flush();
    // Picks up what another running instance wrote meanwhile.
    void refresh() const { m_settings->sync(); }

    std::function<std::unique_ptr<QSettings>()> m_makeSettings;
    std::unique_ptr<QSettings> m_settings;
    bool m_caseInsensitive = false;
};
