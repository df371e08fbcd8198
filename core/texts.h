#pragma once

#include <QCoreApplication>
#include <QString>

// Texts the user sees, defined once so that code and tests cannot drift apart.
namespace Texts {

// A text the user reads, marked for translation. It is looked up each time it
// is used, so a translation installed at start-up reaches it. The ATIS itself
// and the names of things (the product, the METAR groups) stay as written.
struct UserText
{
    const char* source;
    operator QString() const { return QCoreApplication::translate("Texts", source); }
};

// Line breaks in every text the program shows or writes.
inline const QString CrLf = QStringLiteral("\r\n");

inline const QString AppTitle = QStringLiteral("Briefcast");
inline constexpr UserText ErrorTitle{QT_TRANSLATE_NOOP("Texts", "Error")};
inline constexpr UserText NewAtisTitle{QT_TRANSLATE_NOOP("Texts", "New ATIS")};

inline constexpr UserText CouldNotParse{
    QT_TRANSLATE_NOOP("Texts", "Could not parse METAR! ATIS not updated!")};
inline constexpr UserText RetrievalError{
    QT_TRANSLATE_NOOP("Texts", "The following error occurred while retrieving the METAR:")};
inline constexpr UserText ProcessingError{
    QT_TRANSLATE_NOOP("Texts", "The following error occurred while processing the METAR:")};
inline constexpr UserText WriteError{QT_TRANSLATE_NOOP(
    "Texts", "The following error occurred while attempting to write to atis.txt:")};
inline constexpr UserText CopyError{QT_TRANSLATE_NOOP(
    "Texts", "The following error occurred while copying the ATIS to the clipboard:")};
inline constexpr UserText MustEnterICAO{
    QT_TRANSLATE_NOOP("Texts", "Must enter airport ICAO code.")};
inline constexpr UserText InvalidICAO{QT_TRANSLATE_NOOP("Texts", "Invalid ICAO code entered!")};
// The letter on the air (%1) is outside the letters chosen (%2, "A to M").
inline constexpr UserText LettersWaitForStop{
    QT_TRANSLATE_NOOP("Texts", "%1 is on the air, outside the letters %2. Stop auto-update first: "
                               "the new letters begin at the next Start.")};

// $-words are the radar client's own functions, %-words the tool's variables.
inline const QString DefaultTemplate =
    QStringLiteral("$mypvtrw\r\n"
                   "$radioname() $freq() John Doe, S-3\r\n"
                   "Information %id% Winds $wind(%icao%) Alt $altim(%icao%) Sky %clouds%\r\n"
                   "%runways%");
} // namespace Texts
