#include "serve/storeprofiles.h"

#include "core/atisform.h"
#include "core/settingsstore.h"
#include "store/config.h"
#include "store/profilecommands.h"
#include "store/profileform.h"

#include <QList>
#include <algorithm>

namespace {

// A profile's settings as the window would hold them once loaded, kept in
// memory: the profile table reads into a form, and this form is no window.
class ProfileValues : public AtisForm
{
public:
    struct Row
    {
        QString id;
        bool arriving = false;
        bool departing = false;
    };

    QString icao;
    QString templ;
    QList<Row> rows;
    bool visual = false;
    bool lahso = false;

    QString icaoText() const override { return icao; }
    void setIcaoText(const QString& text) override { icao = text; }
    void focusIcao(bool) override {}
    QString templateText() const override { return templ; }
    void setTemplateText(const QString& text) override { templ = text; }
    int runwayCount() const override { return int(rows.size()); }
    QString runwayId(int row) const override { return rows.at(row).id; }
    bool arrivingTicked(int row) const override { return rows.at(row).arriving; }
    bool departingTicked(int row) const override { return rows.at(row).departing; }
    void clearRunways() override { rows.clear(); }
    void appendRunway(const QString& id) override { rows.append({id}); }
    void setArrivingTicked(int row, bool ticked) override { rows[row].arriving = ticked; }
    void setDepartingTicked(int row, bool ticked) override { rows[row].departing = ticked; }
    bool visualTicked() const override { return visual; }
    void setVisualTicked(bool ticked) override { visual = ticked; }
    bool lahsoTicked() const override { return lahso; }
    void setLahsoTicked(bool ticked) override { lahso = ticked; }
    // The rest of the window is no part of a profile.
    int codeCount() const override { return 0; }
    int codeIndex() const override { return -1; }
    void setCodeIndex(int) override {}
    QString codeText() const override { return {}; }
    bool codeListEnabled() const override { return true; }
    void setCodeListEnabled(bool) override {}
    QString codeLabel() const override { return {}; }
    void setCodeLabel(const QString&) override {}
    bool timerEnabled() const override { return false; }
    void setTimerEnabled(bool) override {}
    void setStartStopCaptions(const QString&, const QString&) override {}
    QString atisText() const override { return {}; }
    void setAtisText(const QString&) override {}
    void setLastMetarText(const QString&) override {}
    bool updateATISFileChecked() const override { return false; }
    void setUpdateATISFileChecked(bool) override {}
};

} // namespace

const QList<GeneratorProfile>& StoreProfiles::profiles() const
{
    const QString stamp = m_store.changeStamp();
    if (!stamp.isEmpty() && stamp == m_stamp)
        return m_profiles;
    m_stamp = stamp;
    m_profiles.clear();
    QStringList names;
    if (const auto index = m_store.GetAllSettings(ProfileCommands::IndexSection)) {
        for (const auto& [name, value] : *index)
            names.append(name);
    }
    std::sort(names.begin(), names.end(), ProfileListLess);
    for (const QString& name : names) {
        // A listed profile without keys is not loaded by the window either.
        const auto keys = m_store.GetAllSettings(ProfileCommands::ProfileSection(name));
        if (!keys)
            continue;
        ProfileValues values;
        Config::read(Config::profile(), keys, static_cast<AtisForm&>(values));
        m_profiles.append({name, values.icao, values.templ, RunwayUseOf(values)});
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
