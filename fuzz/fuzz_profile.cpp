// Loading a profile from random stored values: the runway value, the flags,
// the template with its line break markers, the transition levels, the ATIS
// type and the letters, split at NUL bytes.
#include "app/profilecommands.h"
#include "core/sessionstate.h"
#include "core/settingsstore.h"
#include "fuzz/fuzzcommon.h"
#include "store/profilestore.h"
#include "tests/support/fakeform.h"
#include "tests/support/fakeprofileform.h"
#include "tests/support/scripteddialogs.h"

#include <QMap>
#include <QStringList>

namespace {
class MemoryStore : public SettingsStore
{
public:
    QMap<QString, QMap<QString, QString>> sections;
    bool SaveSetting(const QString& s, const QString& k, const QString& v) override
    {
        sections[s][k] = v;
        return true;
    }
    QString GetSetting(const QString& s, const QString& k, const QString& d) const override
    {
        return sections.value(s).value(k, d);
    }
    std::optional<Pairs> GetAllSettings(const QString& s) const override
    {
        const auto section = sections.value(s);
        if (section.isEmpty())
            return std::nullopt;
        Pairs pairs;
        for (auto it = section.begin(); it != section.end(); ++it)
            pairs.append({it.key(), it.value()});
        return pairs;
    }
    bool DeleteSetting(const QString& s, const std::optional<QString>& k) override
    {
        if (k)
            sections[s].remove(*k);
        else
            sections.remove(s);
        return true;
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return runTimed([&] {
        QStringList parts = textOf(data, size).split(QChar(0));
        while (parts.size() < 9)
            parts.append(QString());
        MemoryStore store;
        const QString name = parts[0].isEmpty() ? QStringLiteral("P") : parts[0];
        store.SaveSetting("Profiles", name, "1");
        store.SaveSetting("Profiles", "Other", "1");
        store.SaveSetting("Profiles\\Other", "ICAO", "KSEA");
        const QString section = Profiles::Section(name);
        store.SaveSetting(section, "Runways", parts[1]);
        store.SaveSetting(section, "VisualInUse", parts[2]);
        store.SaveSetting(section, "LAHSOInEffect", parts[3]);
        store.SaveSetting(section, "Template", parts[4]);
        store.SaveSetting(section, "ICAO", parts[5]);
        store.SaveSetting(section, "TransitionLevels", parts[6]);
        store.SaveSetting(section, "ATISType", parts[7]);
        store.SaveSetting(section, "Letters", parts[8]);
        FakeForm form;
        FakeProfileForm list;
        ScriptedDialogs dialogs;
        SessionState state;
        ProfileCommands profiles(store, form, list, dialogs, state);
        profiles.LoadProfileList();
        profiles.LoadProfile(name);
        // Saving it back and loading again gives the same rows.
        dialogs.inputs = {QStringLiteral("Copy")};
        profiles.SaveProfile();
        const Profile saved = form.profile();
        profiles.LoadProfile(QStringLiteral("Copy"));
        // What was read is written in a form that reads the same again.
        const Profile copy = form.profile();
        if (copy.transitionLevels != saved.transitionLevels || copy.atisType != saved.atisType ||
            copy.letters != saved.letters || !copy.letters.contains(form.codeIndex()))
            std::abort();
        if (copy.runways.size() != saved.runways.size() && !parts[1].contains(QLatin1Char(',')) &&
            !parts[1].contains(QLatin1Char('|')))
            std::abort();
        if (store.GetSetting("Profiles\\Other", "ICAO", QString()) != QLatin1String("KSEA") &&
            name != QLatin1String("Other"))
            std::abort();
    });
}
