#include "serve/storeprofiles.h"

#include "core/settingsstore.h"
#include "store/profile.h"

namespace {

GeneratorProfile generatorProfile(const QString& name, const Profile& profile)
{
    RunwayUse runways;
    for (const Profile::Runway& runway : profile.runways) {
        if (runway.landing)
            runways.landing.append(runway.id);
        if (runway.departing)
            runways.departing.append(runway.id);
    }
    runways.visual = profile.visual;
    runways.lahso = profile.lahso;
    return {name,
            profile.icao,
            profile.templateText,
            runways,
            profile.transitionLevels,
            profile.atisType};
}

} // namespace

const QList<GeneratorProfile>& StoreProfiles::profiles() const
{
    const QString stamp = m_store.changeStamp();
    if (!stamp.isEmpty() && stamp == m_stamp)
        return m_profiles;
    m_stamp = stamp;
    m_profiles.clear();
    for (const QString& name : Profiles::Names(m_store)) {
        // A listed profile without keys is not loaded by the window either.
        if (const std::optional<Profile> profile = Profiles::Read(m_store, name))
            m_profiles.append(generatorProfile(name, *profile));
    }
    return m_profiles;
}

std::optional<GeneratorProfile> StoreProfiles::profileNamed(const QString& name) const
{
    for (const GeneratorProfile& profile : profiles()) {
        if (profile.name == name)
            return profile;
    }
    return std::nullopt;
}

std::optional<GeneratorProfile> StoreProfiles::firstProfileFor(const QString& icao) const
{
    for (const GeneratorProfile& profile : profiles()) {
        if (profile.icao.trimmed().compare(icao, Qt::CaseInsensitive) == 0)
            return profile;
    }
    return std::nullopt;
}
