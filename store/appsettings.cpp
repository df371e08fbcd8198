#include "store/appsettings.h"

#include "core/atisform.h"
#include "core/sessionstate.h"
#include "core/texts.h"
#include "store/profilecommands.h"

#include <algorithm>

SettingsBinding::SettingsBinding()
{
    for (const Setting& s : Config::program())
        m_values.set(s.key, s.parse(s.fallback));
}

void SettingsBinding::bind(const QString& key, Show show, Collect collect)
{
    const QList<Setting> rows = Config::program();
    if (std::none_of(rows.begin(), rows.end(), [&](const Setting& s) { return s.key == key; }))
        qFatal("The setting %s has no row in Config::program()", qPrintable(key));
    m_bound.append({key, std::move(show), std::move(collect)});
}

void SettingsBinding::bind(const QString& key, QString& field)
{
    bind(
        key, [&field](const QVariant& value) { field = value.toString(); },
        [&field] { return field; });
}

void SettingsBinding::load(const SettingsStore& store)
{
    m_values = Config::load(store);
    for (const Setting& s : Config::program()) {
        for (const Bound& b : m_bound) {
            if (b.key == s.key && b.show)
                b.show(m_values.value(s.key));
        }
    }
}

bool SettingsBinding::save(SettingsStore& store)
{
    for (const Bound& b : m_bound) {
        if (b.collect)
            m_values.set(b.key, b.collect());
    }
    return Config::save(store, m_values);
}

void LoadStartupSettings(SettingsStore& store, AtisForm& form, ProfileCommands& profiles,
                         SessionState& state, SettingsBinding& settings)
{
    form.setCodeIndex(0);
    state.autoUpdating = false;
    form.showAutoUpdate(false);
    state.TickCounter = 0;
    state.codeIsCurrent = false;
    form.showCodeIsCurrent(false);
    state.LastMetarKey.clear();
    settings.load(store);
    const QString lastProfile = settings.values().text(Config::LastProfile);
    if (!lastProfile.isEmpty())
        profiles.LoadProfile(lastProfile);
    else {
        Profile profile = form.profile();
        profile.templateText = Texts::DefaultTemplate;
        form.setProfile(profile);
    }
    state.ProfileDirty = false;
    profiles.LoadProfileList();
}
