#pragma once

#include <QString>

class AtisForm;
class Dialogs;
class ProfileForm;
class SettingsStore;
struct SessionState;

// The profile commands over the profiles of the store (see
// store/profilestore.h): load, save and delete, the list of saved profiles,
// the unsaved-changes flag and the question that guards it.
class ProfileCommands
{
public:
    ProfileCommands(SettingsStore& store, AtisForm& form, ProfileForm& list, Dialogs& dialogs,
                    SessionState& state);

    void LoadProfileList();
    // False when the profile has no keys (missing, or deleted meanwhile by
    // another instance); then nothing changes.
    bool LoadProfile(const QString& name);
    // True when the profile was written; false when the user cancelled or
    // the store could not be written (then the user has been told).
    bool SaveProfile();
    bool PromptSaveProfile();
    bool ConfirmExit() { return PromptSaveProfile(); }

    // Loads the profile chosen in the list, once the question about unsaved
    // changes allows it.
    void loadChosenProfile();
    // Deletes the profile chosen in the list, when the controller confirms.
    void deleteChosenProfile();

    // Every change of a profile setting, by the controller or by the program
    // filling the window, marks the profile as changed.
    void markProfileChanged();

private:
    // Refills the list from the store, keeping the selected entry, and says
    // whether the name is in it.
    bool isListed(const QString& name);
    // Selects the entry of that text, or none when it is not listed.
    bool selectEntry(const QString& name);

    SettingsStore& m_store;
    AtisForm& m_form;
    ProfileForm& m_list;
    Dialogs& m_dialogs;
    SessionState& m_state;
};
