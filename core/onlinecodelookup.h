#pragma once

#include "core/atistype.h"
#include "core/texts.h"

#include <QString>
#include <functional>
#include <optional>

// Finds the information code that an airport's ATIS already broadcasts on
// the network, so that a controller taking the airport over goes on with
// the letter the pilots have. The answer comes later, on the event thread.
class OnlineCodeLookup
{
public:
    struct OnlineAtis
    {
        QString callsign;  // e.g. KBOS_ATIS
        int codeIndex = 0; // 0 for A (ALPHA) to 25 for Z (ZULU)
    };
    // No value: the airport has no ATIS online with a letter, or the
    // network could not tell.
    using Done = std::function<void(std::optional<OnlineAtis>)>;

    virtual ~OnlineCodeLookup() = default;

    // Starts looking the station up by its callsign (KBOS_ATIS, or
    // KBOS_A_ATIS for an arrival ATIS, see AtisCallsign); done runs once,
    // later (within the look-up's own time limit), unless cancel() comes
    // first. A look-up still running is cancelled.
    virtual void lookUp(const QString& callsign, Done done) = 0;
    virtual void cancel() = 0;
};

// The line the first "New ATIS" message gains when its letter was taken
// over, with its two leading line breaks.
inline QString TakenOverNotice(const QString& callsign, const QString& code)
{
    constexpr Texts::UserText TakenOver{
        QT_TRANSLATE_NOOP("Texts", "%1 was taken over from %2, already on the air.")};
    return QStringLiteral("\r\n\r\n") + TakenOver.arg(code, callsign);
}

// The line instead when the letter on the air is outside the ATIS's range.
inline QString NotTakenOverNotice(const QString& callsign, const QString& code,
                                  const LetterRange& range)
{
    constexpr Texts::UserText NotTakenOver{QT_TRANSLATE_NOOP(
        "Texts", "%1 on the air at %2 is outside the letters %3: not taken over.")};
    return QStringLiteral("\r\n\r\n") + NotTakenOver.arg(code, callsign, LetterRangeText(range));
}
