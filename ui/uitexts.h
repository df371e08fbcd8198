#pragma once

#include "core/runwayphrase.h"
#include "core/texts.h"

#include <QString>
#include <QStringList>

// Texts of the window and its commands, defined once.
namespace UiTexts {
using Texts::AppTitle;
using Texts::ErrorTitle;

// Runways
inline const QString& RunwayPattern = RunwayIdPattern;
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
inline const QString AboutTitle = QStringLiteral("About");
inline const QString Credit = QStringLiteral("Briefcast contributors");
inline const QString ManualMissing = QStringLiteral("The user manual could not be opened:");

// The local ATIS generator
inline const QString GeneratorMenu = QStringLiteral("Local ATIS &Generator...");
inline const QString GeneratorTitle = QStringLiteral("Local ATIS Generator");
inline const QString GeneratorEnabled =
    QStringLiteral("&Answer radar clients and ATIS clients on this computer");
inline const QString GeneratorPort = QStringLiteral("&Port:");
inline const QString AtisMakerUrlLabel = QStringLiteral("Radar client, ATIS maker URL:");
inline const QString ExternalGeneratorUrlLabel =
    QStringLiteral("ATIS client, external generator URL (add &&format=voice for the voice ATIS):");
inline const QString CopyUrl = QStringLiteral("Copy");
inline const QString CopyFailed = QStringLiteral("The URL could not be copied to the clipboard.");
inline const QString RequestsServed = QStringLiteral("Last requests:");
inline const QStringList RequestColumns = {QStringLiteral("Time"), QStringLiteral("Airport"),
                                           QStringLiteral("Letter"), QStringLiteral("Status")};
inline QString GeneratorServing(int port)
{
    return QStringLiteral("Serving on 127.0.0.1, port %1.").arg(port);
}
inline const QString GeneratorOff = QStringLiteral("Off: nothing is served.");
inline QString GeneratorPortInUse(int port)
{
    return QStringLiteral("Port %1 is in use (another Briefcast or another program): not "
                          "serving. Choose another port.")
        .arg(port);
}
inline QString GeneratorFailed(int port, const QString& error)
{
    return QStringLiteral("Not serving on port %1: %2").arg(QString::number(port), error);
}

// Start-up and shutdown
// The caption while a close waits for the end of start-up.
inline const QString ClosingAfterStartUp =
    QStringLiteral("Briefcast (closing as soon as start-up ends)");
inline const QString SettingsNotSaved =
    QStringLiteral("The settings could not be saved: the settings store could not be written.");
inline const QString TrySavingAgain =
    QStringLiteral("Try again? No closes Briefcast without saving them.");
} // namespace UiTexts
