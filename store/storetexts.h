#pragma once

#include <QString>

// Texts of the profile commands that the user sees.
namespace StoreTexts {
inline const QString EnterProfileName = QStringLiteral("Enter a name to use for this profile:");
inline const QString SaveProfileTitle = QStringLiteral("Save Profile");
inline const QString ConfirmOverwriteTitle = QStringLiteral("Confirm Overwrite");
inline const QString ProfileSaved = QStringLiteral("Profile Saved!");
inline const QString ConfirmDeleteTitle = QStringLiteral("Confirm Delete");
inline const QString ConfirmSaveTitle = QStringLiteral("Confirm Save");
inline const QString UpdateSavedProfile = QStringLiteral(
    "The current profile has unsaved changes. Would you like to update the saved profile?");
inline const QString SaveAsProfile =
    QStringLiteral("Would you like to save the current settings as a profile?");
inline const QString NoProfileSelected = QStringLiteral("No profile selected!");
inline const QString ProfileNotSaved =
    QStringLiteral("The profile could not be saved: the settings store could not be written. Your "
                   "changes are still in "
                   "the window.");
inline const QString ProfileNotDeleted =
    QStringLiteral("The profile could not be deleted: the settings store could not be written.");

inline QString OverwriteQuestion(const QString& name)
{
    return QStringLiteral("A profile with the name \"") + name +
           QStringLiteral("\" already exists. Overwrite it?");
}
inline QString ProfileGone(const QString& name)
{
    return QStringLiteral("The profile \"") + name + QStringLiteral("\" no longer exists.");
}
inline QString DeleteQuestion(const QString& name)
{
    return QStringLiteral("Are you sure you wish to delete the profile \"") + name +
           QStringLiteral("\"?");
}
} // namespace StoreTexts
