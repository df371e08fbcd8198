#pragma once

#include "core/texts.h"

// Texts of the session's commands that the user sees, defined once.
namespace AppTexts {
using Texts::UserText;

// Profiles
inline constexpr UserText EnterProfileName{
    QT_TRANSLATE_NOOP("Texts", "Enter a name to use for this profile:")};
inline constexpr UserText SaveProfileTitle{QT_TRANSLATE_NOOP("Texts", "Save Profile")};
inline constexpr UserText ConfirmOverwriteTitle{QT_TRANSLATE_NOOP("Texts", "Confirm Overwrite")};
inline constexpr UserText ProfileSaved{QT_TRANSLATE_NOOP("Texts", "Profile Saved!")};
inline constexpr UserText ConfirmDeleteTitle{QT_TRANSLATE_NOOP("Texts", "Confirm Delete")};
inline constexpr UserText ConfirmSaveTitle{QT_TRANSLATE_NOOP("Texts", "Confirm Save")};
inline constexpr UserText UpdateSavedProfile{QT_TRANSLATE_NOOP(
    "Texts", "The current profile has unsaved changes. Would you like to update the saved "
             "profile?")};
inline constexpr UserText SaveAsProfile{
    QT_TRANSLATE_NOOP("Texts", "Would you like to save the current settings as a profile?")};
inline constexpr UserText NoProfileSelected{QT_TRANSLATE_NOOP("Texts", "No profile selected!")};
inline constexpr UserText ProfileNotSaved{QT_TRANSLATE_NOOP(
    "Texts", "The profile could not be saved: the settings store could not be written. Your "
             "changes are still in the window.")};
inline constexpr UserText ProfileNotDeleted{QT_TRANSLATE_NOOP(
    "Texts", "The profile could not be deleted: the settings store could not be written.")};
inline constexpr UserText OverwriteQuestion{
    QT_TRANSLATE_NOOP("Texts", "A profile with the name \"%1\" already exists. Overwrite it?")};
inline constexpr UserText ProfileGone{
    QT_TRANSLATE_NOOP("Texts", "The profile \"%1\" no longer exists.")};
inline constexpr UserText ValuesUnreadable{QT_TRANSLATE_NOOP(
    "Texts", "These settings of the profile \"%1\" could not be read and are left at their "
             "defaults; saving the profile writes the defaults in their place:")};
inline constexpr UserText DeleteQuestion{
    QT_TRANSLATE_NOOP("Texts", "Are you sure you wish to delete the profile \"%1\"?")};

// The weather server discovery at start-up
inline constexpr UserText RetrievingListing{
    QT_TRANSLATE_NOOP("Texts", "Retrieving VATSIM data server listing ...")};
inline constexpr UserText ExtractingUrl{
    QT_TRANSLATE_NOOP("Texts", "Extracting METAR server URL ...")};
inline constexpr UserText NoServerUrls{
    QT_TRANSLATE_NOOP("Texts", "No weather server URLs found! Exiting.")};
inline constexpr UserText ListingError{QT_TRANSLATE_NOOP(
    "Texts", "The following error occurred while retrieving the VATSIM data server listing:")};
inline constexpr UserText Exiting{
    QT_TRANSLATE_NOOP("Texts", "Briefcast cannot work without it and will now exit.")};

// Where atis.txt goes
inline constexpr UserText SelectAtisFileTitle{
    QT_TRANSLATE_NOOP("Texts", "Select Your atis.txt File")};
inline constexpr UserText AllFilesFilter{QT_TRANSLATE_NOOP("Texts", "All files (*.*)")};
inline constexpr UserText TextFilesFilter{QT_TRANSLATE_NOOP("Texts", "Text files (*.txt)")};
inline constexpr UserText SpecifyAtisFile{
    QT_TRANSLATE_NOOP("Texts", "Please specify your atis.txt file")};
inline constexpr UserText AtisFilePathSet{QT_TRANSLATE_NOOP("Texts", "ATIS file path now set to:")};
inline constexpr UserText AtisFolderMissing{QT_TRANSLATE_NOOP(
    "Texts", "The folder of this file does not exist. Please choose a file in an existing "
             "folder:")};

// The close
inline constexpr UserText SettingsNotSaved{QT_TRANSLATE_NOOP(
    "Texts", "The settings could not be saved: the settings store could not be written.")};
inline constexpr UserText TrySavingAgain{
    QT_TRANSLATE_NOOP("Texts", "Try again? No closes Briefcast without saving them.")};
} // namespace AppTexts
