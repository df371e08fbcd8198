#include "serve/storeprofiles.h"

#include "core/settingsstore.h"
#include "store/profilestore.h"

const QList<NamedProfile>& StoreProfiles::profiles() const
{
    const QString stamp = m_store.changeStamp();
    if (!stamp.isEmpty() && stamp == m_stamp)
        return m_profiles;
    m_stamp = stamp;
    m_profiles.clear();
    for (const QString& name : Profiles::Names(m_store)) {
        // A listed profile without keys is not loaded by the window either.
        if (const std::optional<Profile> profile = Profiles::Read(m_store, name))
            m_profiles.append({name, *profile});
    }
    return m_profiles;
}

std::optional<NamedProfile> StoreProfiles::profileNamed(const QString& name) const
{
    for (const NamedProfile& named : profiles()) {
        if (named.name == name)
            return named;
    }
    return std::nullopt;
}

std::optional<NamedProfile> StoreProfiles::firstProfileFor(const QString& icao) const
{
    for (const NamedProfile& named : profiles()) {
        if (named.profile.icao.trimmed().compare(icao, Qt::CaseInsensitive) == 0)
            return named;
    }
    return std::nullopt;
}
