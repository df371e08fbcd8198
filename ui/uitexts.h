#pragma once

#include "core/texts.h"

#include <QString>
#include <QStringList>

// Texts of the window and its commands, defined once.
namespace UiTexts {
using Texts::AppTitle;
using Texts::ErrorTitle;

inline const QStringList InformationCodes = {
    QStringLiteral("ALPHA"),  QStringLiteral("BRAVO"),    QStringLiteral("CHARLIE"),
    QStringLiteral("DELTA"),  QStringLiteral("ECHO"),     QStringLiteral("FOXTROT"),
    QStringLiteral("GOLF"),   QStringLiteral("HOTEL"),    QStringLiteral("INDIA"),
    QStringLiteral("JULIET"), QStringLiteral("KILO"),     QStringLiteral("LIMA"),
    QStringLiteral("MIKE"),   QStringLiteral("NOVEMBER"), QStringLiteral("OSCAR"),
    QStringLiteral("PAPA"),   QStringLiteral("QUEBEC"),   QStringLiteral("ROMEO"),
    QStringLiteral("SIERRA"), QStringLiteral("TANGO"),    QStringLiteral("UNIFORM"),
    QStringLiteral("VICTOR"), QStringLiteral("WHISKEY"),  QStringLiteral("X-RAY"),
    QStringLiteral("YANKEE"), QStringLiteral("ZULU")};

// Runways
inline const QString RunwayPattern = QStringLiteral("^([0-2]\\d|3[0-6]|[1-9])[LRC]?$");
inline const QString EnterRunwayTitle = QStringLiteral("Enter Runway:");
inline const QString EnterRunwayPrompt = QStringLiteral(
    "Enter runway identifier with optional L, R, or C appended to the number. Examples: 4L, "
    "09, 33R, 18, 24C");
inline const QString RunwayExists = QStringLiteral("That runway already exists in the lists.");

// Options and help
inline const QString SelectAtisFileTitle = QStringLiteral("Select Your atis.txt File");
inline const QString AllFilesFilter = QStringLiteral("All files (*.*)");
inline const QString TextFilesFilter = QStringLiteral("Text files (*.txt)");
inline const QString SpecifyAtisFile = QStringLiteral("Please specify your atis.txt file");
inline const QString AtisFilePathSet = QStringLiteral("ATIS file path now set to:");
inline const QString AtisFolderMissing =
    QStringLiteral("The folder of this file does not exist. Please choose a file in an existing "
                   "folder:");
inline const QString AboutTitle = QStringLiteral("About");
inline const QString Credit = QStringLiteral("Briefcast contributors");
inline const QString ManualMissing = QStringLiteral("The user manual could not be opened:");

// Start-up and shutdown
// The caption while a close waits for the end of start-up.
inline const QString ClosingAfterStartUp =
    QStringLiteral("Briefcast (closing as soon as start-up ends)");
inline const QString SettingsNotSaved =
    QStringLiteral("The settings could not be saved: the settings store could not be written.");
inline const QString TrySavingAgain =
    QStringLiteral("Try again? No closes Briefcast without saving them.");
} // namespace UiTexts
