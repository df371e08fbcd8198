#pragma once

#include <QCoreApplication>
#include <QString>
#include <utility>

// Texts the user sees, defined once so that code and tests cannot drift apart.
//
// Below the window (core, net, store, serve and app), a text the user reads
// is a UserText in its layer's table: marked with QT_TRANSLATE_NOOP in the
// context "Texts" where it is defined, so that lupdate finds it, and
// translated through QCoreApplication::translate() each time it is read, so
// that the translation installed at start-up reaches it. Keep the UserText:
// a QString made from it once keeps the language of that moment. The window
// marks its own texts with tr(). The ATIS itself, its words and information
// codes, the product's name and what the local generator answers its callers
// stay English, unmarked.
namespace Texts {

// While an InEnglish lives, the texts read on its thread are the English
// ones as written: what the local generator sends to other programs stays
// English whatever the controller's language.
class InEnglish
{
public:
    InEnglish() { ++depth(); }
    ~InEnglish() { --depth(); }
    InEnglish(const InEnglish&) = delete;
    InEnglish& operator=(const InEnglish&) = delete;
    static bool active() { return depth() > 0; }

private:
    static int& depth()
    {
        thread_local int depth = 0;
        return depth;
    }
};

struct UserText
{
    const char* source;
    operator QString() const
    {
        return InEnglish::active() ? QString::fromUtf8(source)
                                   : QCoreApplication::translate("Texts", source);
    }
    // The text read now, with its %1, %2... filled in.
    template <class... Args> QString arg(Args&&... args) const
    {
        return QString(*this).arg(std::forward<Args>(args)...);
    }
};

// Line breaks in every text the program shows or writes.
inline const QString CrLf = QStringLiteral("\r\n");

// The product's name, the same in every language.
inline const QString AppTitle = QStringLiteral("Briefcast");
// A range of letters or values, "A to M", "978 to 980".
inline constexpr UserText Range{QT_TRANSLATE_NOOP("Texts", "%1 to %2")};
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

// The ATIS template a new profile starts from: English, as the ATIS is.
// $-words are the radar client's own functions, %-words the tool's variables.
inline const QString DefaultTemplate =
    QStringLiteral("$mypvtrw\r\n"
                   "$radioname() $freq() John Doe, S-3\r\n"
                   "Information %id% Winds $wind(%icao%) Alt $altim(%icao%) Sky %clouds%\r\n"
                   "%runways%");
} // namespace Texts
