#include "store/appsettings.h"

#include "core/atisform.h"
#include "core/sessionstate.h"
#include "core/texts.h"
#include "store/config.h"
#include "store/profilecommands.h"

ProgramSettings LoadStartupSettings(SettingsStore& store, AtisForm& form, ProfileCommands& profiles,
                                    SessionState& state)
{
    form.setCodeIndex(0);
    state.autoUpdating = false;
    form.showAutoUpdate(false);
    state.TickCounter = 0;
    state.codeIsCurrent = false;
    form.showCodeIsCurrent(false);
    state.LastMetarKey.clear();
    const ProgramSettings stored = Config::load(store);
    form.setIcaoText(stored.ICAO);
    form.setUpdateATISFileChecked(stored.UpdateATISFile);
    state.ATISFilePath = stored.ATISFilePath;
    if (!stored.LastProfile.isEmpty())
        profiles.LoadProfile(stored.LastProfile);
    else
        form.setTemplateText(Texts::DefaultTemplate);
    state.ProfileDirty = false;
    profiles.LoadProfileList();
    return stored;
}

bool SaveSettings(SettingsStore& store, const AtisForm& form, const SessionState& state,
                  const SpeechSettings& speech, bool takeOverOnlineCode)
{
    return Config::save(store, {.ICAO = form.icaoText(),
                                .Template = form.templateText(),
                                .LastProfile = state.CurrentProfile,
                                .UpdateATISFile = form.updateATISFileChecked(),
                                .ATISFilePath = state.ATISFilePath,
                                .speech = speech,
                                .TakeOverOnlineCode = takeOverOnlineCode});
}
