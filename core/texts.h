#pragma once

#include <QString>

// Texts the user sees, defined once so that code and tests cannot drift apart.
namespace Texts {
// Line breaks in every text the program shows or writes.
inline const QString CrLf = QStringLiteral("\r\n");

inline const QString AppTitle = QStringLiteral("Briefcast");
inline const QString ErrorTitle = QStringLiteral("Error");
inline const QString NewAtisTitle = QStringLiteral("New ATIS");

inline const QString StartingCode = QStringLiteral("Starting Code:");
inline const QString CurrentCode = QStringLiteral("Current Code:");
inline const QString Start = QStringLiteral("Start");
inline const QString Stop = QStringLiteral("Stop");
inline const QString StartAutoupdate = QStringLiteral("&Start Autoupdate");
inline const QString StopAutoupdate = QStringLiteral("&Stop Autoupdate");
inline const QString LookingUpCode = QStringLiteral("Looking up the letter on the air...");

inline const QString CouldNotParse = QStringLiteral("Could not parse METAR! ATIS not updated!");
inline const QString RetrievalError =
    QStringLiteral("The following error occurred while retrieving the METAR:");
inline const QString ProcessingError =
    QStringLiteral("The following error occurred while processing the METAR:");
inline const QString WriteError =
    QStringLiteral("The following error occurred while attempting to write to atis.txt:");
inline const QString CopyError =
    QStringLiteral("The following error occurred while copying the ATIS to the clipboard:");
inline const QString MustEnterICAO = QStringLiteral("Must enter airport ICAO code.");
inline const QString InvalidICAO = QStringLiteral("Invalid ICAO code entered!");

// $-words are the radar client's own functions, %-words the tool's variables.
inline const QString DefaultTemplate =
    QStringLiteral("$mypvtrw\r\n"
                   "$radioname() $freq() John Doe, S-3\r\n"
                   "Information %id% Winds $wind(%icao%) Alt $altim(%icao%) Sky %clouds%\r\n"
                   "%runways%");
} // namespace Texts
