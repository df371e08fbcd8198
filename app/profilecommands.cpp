#include "app/profilecommands.h"

#include "app/apptexts.h"
#include "app/profileform.h"
#include "core/atisengine.h"
#include "core/atisform.h"
#include "core/dialogs.h"
#include "core/sessionstate.h"
#include "core/settingsstore.h"
#include "core/texts.h"
#include "store/profilestore.h"

ProfileCommands::ProfileCommands(SettingsStore& store, AtisForm& form, ProfileForm& list,
                                 Dialogs& dialogs, SessionState& state)
    : m_store(store), m_form(form), m_list(list), m_dialogs(dialogs), m_state(state)
{
}

void ProfileCommands::markProfileChanged()
{
    m_state.ProfileDirty = true;
}

void ProfileCommands::LoadProfileList()
{
    m_list.clearProfiles();
    for (const QString& name : Profiles::Names(m_store))
        m_list.addProfile(name);
    selectEntry(m_state.CurrentProfile);
}

bool ProfileCommands::LoadProfile(const QString& name)
{
    QStringList unreadable;
    const auto profile = Profiles::Read(m_store, name, &unreadable);
    if (!profile)
        return false;
    m_form.setProfile(*profile);
    m_state.CurrentProfile = name;
    m_state.ProfileDirty = false;
    // A value edited by hand that does not read is not dropped in silence.
    if (!unreadable.isEmpty())
        m_dialogs.message(AppTexts::ValuesUnreadable.arg(name) + Texts::CrLf + Texts::CrLf +
                              unreadable.join(Texts::CrLf),
                          Texts::ErrorTitle, Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
    return true;
}

bool ProfileCommands::selectEntry(const QString& name)
{
    m_list.setProfileIndex(-1);
    for (int i = 0; i < m_list.profileCount(); ++i) {
        if (m_list.profileText(i) == name) {
            m_list.setProfileIndex(i);
            return true;
        }
    }
    return false;
}

bool ProfileCommands::isListed(const QString& name)
{
    const int index = m_list.profileIndex();
    const QString selected = index >= 0 ? m_list.profileText(index) : QString();
    LoadProfileList();
    const bool listed = selectEntry(name);
    selectEntry(selected);
    return listed;
}

bool ProfileCommands::SaveProfile()
{
    QString proposed =
        m_state.CurrentProfile.isEmpty() ? m_form.profile().icao : m_state.CurrentProfile;
    QString name;
    while (true) {
        name = m_dialogs.input(AppTexts::EnterProfileName, AppTexts::SaveProfileTitle, proposed);
        if (name.isEmpty())
            return false;
        // Another instance may have saved or deleted profiles since the list
        // was filled: the store as it is now decides.
        if (!isListed(name))
            break;
        const Dialogs::Answer answer = m_dialogs.message(
            AppTexts::OverwriteQuestion.arg(name), AppTexts::ConfirmOverwriteTitle,
            Dialogs::Icon::Question, Dialogs::Buttons::YesNoCancel);
        if (answer == Dialogs::Answer::Yes)
            break;
        if (answer != Dialogs::Answer::No)
            return false;
        proposed = name;
    }

    // The index key and the section are written together or not at all.
    if (!m_store.writeTogether(Profiles::Changes(name, m_form.profile()))) {
        // The window still holds the changes and the flag says so: the
        // controller can try again, and a close is not let through.
        m_dialogs.message(AppTexts::ProfileNotSaved, Texts::ErrorTitle, Dialogs::Icon::Exclamation,
                          Dialogs::Buttons::OK);
        return false;
    }
    m_state.CurrentProfile = name;
    LoadProfileList();
    m_state.ProfileDirty = false;
    m_dialogs.message(AppTexts::ProfileSaved, Texts::AppTitle, Dialogs::Icon::Information,
                      Dialogs::Buttons::OK);
    return true;
}

bool ProfileCommands::PromptSaveProfile()
{
    if (!m_state.ProfileDirty)
        return true;
    const QString question =
        m_state.CurrentProfile.isEmpty() ? AppTexts::SaveAsProfile : AppTexts::UpdateSavedProfile;
    switch (m_dialogs.message(question, AppTexts::ConfirmSaveTitle, Dialogs::Icon::Question,
                              Dialogs::Buttons::YesNoCancel)) {
    case Dialogs::Answer::Yes:
        return SaveProfile();
    case Dialogs::Answer::No:
        return true;
    default:
        return false;
    }
}

void ProfileCommands::loadChosenProfile()
{
    // The entry the controller chose when pressing Load is the one loaded,
    // also when the question before it ends in a save that reselects the
    // list.
    const int chosenIndex = m_list.profileIndex();
    const QString chosen = chosenIndex >= 0 ? m_list.profileText(chosenIndex) : QString();
    if (!PromptSaveProfile())
        return;
    if (chosenIndex < 0) {
        m_dialogs.message(AppTexts::NoProfileSelected, Texts::ErrorTitle,
                          Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
        return;
    }
    selectEntry(chosen);
    // The letter on the air stays shown while auto-update runs.
    if (const auto profile = Profiles::Read(m_store, chosen);
        profile && !MayChangeLetters(profile->letters, m_form, m_state, m_dialogs))
        return;
    if (!LoadProfile(chosen)) {
        m_dialogs.message(AppTexts::ProfileGone.arg(chosen), Texts::ErrorTitle,
                          Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
        LoadProfileList();
    }
}

void ProfileCommands::deleteChosenProfile()
{
    const int index = m_list.profileIndex();
    if (index < 0)
        return;
    const QString name = m_list.profileText(index);
    if (m_dialogs.message(AppTexts::DeleteQuestion.arg(name), AppTexts::ConfirmDeleteTitle,
                          Dialogs::Icon::Question, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    if (!m_store.writeTogether({{Profiles::IndexSection, name, std::nullopt},
                                {Profiles::Section(name), std::nullopt, std::nullopt}})) {
        m_dialogs.message(AppTexts::ProfileNotDeleted, Texts::ErrorTitle,
                          Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
        return;
    }
    if (name == m_state.CurrentProfile)
        m_state.ProfileDirty = true;
    LoadProfileList();
}
