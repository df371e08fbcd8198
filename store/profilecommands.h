#pragma once

#include <QString>

class AtisForm;
class Dialogs;
class ProfileForm;
class SettingsStore;
struct SessionState;

// The window's profile commands over the profiles of the store (see
// store/profile.h): load, save and delete, the list of saved profiles, the
// unsaved-changes flag and the question that guards it.
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

    void cmdLoad_Click();
    void cmdSave_Click() { SaveProfile(); }
    void cmdDelete_Click();

    // Every change of a profile setting, by the user or by the program
    // filling the controls, marks the window as changed.
    void MarkProfileDirty();
    void txtICAO_Change() { MarkProfileDirty(); }
    void txtTemplate_Change() { MarkProfileDirty(); }
    void chkVisual_Click() { MarkProfileDirty(); }
    void chkLAHSO_Click() { MarkProfileDirty(); }
    // A tick in either runway list.
    void lstRunways_ItemCheck() { MarkProfileDirty(); }

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
