#pragma once

#include <QCoreApplication>
#include <QString>

// Texts of the session's commands that the user sees, defined once and
// translated whenever they are read.
class AppTexts
{
    Q_DECLARE_TR_FUNCTIONS(AppTexts)

public:
    // Profiles
    static QString EnterProfileName() { return tr("Enter a name to use for this profile:"); }
    static QString SaveProfileTitle() { return tr("Save Profile"); }
    static QString ConfirmOverwriteTitle() { return tr("Confirm Overwrite"); }
    static QString ProfileSaved() { return tr("Profile Saved!"); }
    static QString ConfirmDeleteTitle() { return tr("Confirm Delete"); }
    static QString ConfirmSaveTitle() { return tr("Confirm Save"); }
    static QString UpdateSavedProfile()
    {
        return tr("The current profile has unsaved changes. Would you like to update the saved "
                  "profile?");
    }
    static QString SaveAsProfile()
    {
        return tr("Would you like to save the current settings as a profile?");
    }
    static QString NoProfileSelected() { return tr("No profile selected!"); }
    static QString ProfileNotSaved()
    {
        return tr("The profile could not be saved: the settings store could not be written. Your "
                  "changes are still in the window.");
    }
    static QString ProfileNotDeleted()
    {
        return tr("The profile could not be deleted: the settings store could not be written.");
    }
    static QString OverwriteQuestion(const QString& name)
    {
        return tr("A profile with the name \"%1\" already exists. Overwrite it?").arg(name);
    }
    static QString ProfileGone(const QString& name)
    {
        return tr("The profile \"%1\" no longer exists.").arg(name);
    }
    static QString ValuesUnreadable(const QString& name)
    {
        return tr("These settings of the profile \"%1\" could not be read and are left at their "
                  "defaults; saving the profile writes the defaults in their place:")
            .arg(name);
    }
    static QString DeleteQuestion(const QString& name)
    {
        return tr("Are you sure you wish to delete the profile \"%1\"?").arg(name);
    }

    // The weather server discovery at start-up
    static QString RetrievingListing() { return tr("Retrieving VATSIM data server listing ..."); }
    static QString ExtractingUrl() { return tr("Extracting METAR server URL ..."); }
    static QString NoServerUrls() { return tr("No weather server URLs found! Exiting."); }
    static QString ListingError()
    {
        return tr("The following error occurred while retrieving the VATSIM data server listing:");
    }
    static QString Exiting() { return tr("Briefcast cannot work without it and will now exit."); }

    // Where atis.txt goes
    static QString SelectAtisFileTitle() { return tr("Select Your atis.txt File"); }
    static QString AllFilesFilter() { return tr("All files (*.*)"); }
    static QString TextFilesFilter() { return tr("Text files (*.txt)"); }
    static QString SpecifyAtisFile() { return tr("Please specify your atis.txt file"); }
    static QString AtisFilePathSet() { return tr("ATIS file path now set to:"); }
    static QString AtisFolderMissing()
    {
        return tr("The folder of this file does not exist. Please choose a file in an existing "
                  "folder:");
    }

    // The close
    static QString SettingsNotSaved()
    {
        return tr("The settings could not be saved: the settings store could not be written.");
    }
    static QString TrySavingAgain()
    {
        return tr("Try again? No closes Briefcast without saving them.");
    }
};
