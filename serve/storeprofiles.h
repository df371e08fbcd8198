#pragma once

#include "serve/profilesource.h"

#include <QList>

class SettingsStore;

// The profiles as the settings store keeps them, read as the window reads
// one it loads; nothing is written. What was read is kept
// until the store's change stamp changes: a store reads one section at a
// time, and a request would otherwise read it once for every profile.
class StoreProfiles : public ProfileSource
{
public:
    explicit StoreProfiles(const SettingsStore& store) : m_store(store) {}

    std::optional<NamedProfile> profileNamed(const QString& name) const override;
    std::optional<NamedProfile> firstProfileFor(const QString& icao) const override;

private:
    // Every listed profile, in list order, as the store holds them now.
    const QList<NamedProfile>& profiles() const;

    const SettingsStore& m_store;
    mutable QList<NamedProfile> m_profiles;
    mutable std::optional<QString> m_stamp;
};
