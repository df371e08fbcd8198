#pragma once

#include "core/composition.h"
#include "core/failure.h"
#include "core/onlinecodelookup.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class AtisForm;
class AtisSpeech;
struct LetterRange;
class Desktop;
class Dialogs;
class ProgramSettings;
class TextFetcher;
struct SessionState;
struct DecodedMetar;

// The update cycle and the auto-update commands around it, run on the
// window's event thread over the window's values and the desktop's services.
class AtisEngine
{
public:
    static constexpr std::int16_t UpdateEveryTicks = 300;

    // The settings are read as they stand at each use: where atis.txt goes
    // and whether it is written, and whether the letter on the air is taken
    // over.
    AtisEngine(AtisForm& form, Dialogs& dialogs, Desktop& desktop, TextFetcher& fetcher,
               SessionState& state, const ProgramSettings& settings);
    ~AtisEngine();

    // One cycle: fetch, decode, decide, build, show, write, announce, record.
    // A cycle started while another is still in progress (waiting for its
    // reply or for one of its message boxes) ends silently.
    void UpdateATIS(bool Force);
    // "Refresh ATIS Now": a forced cycle once the airport code is valid.
    void RefreshATIS();
    // Starts auto-update (with an immediate unforced cycle) or stops it.
    void ToggleAutoUpdate();
    // True when the airport code may be used; otherwise tells the user why
    // and puts the focus into the airport box.
    bool ValidateICAO();
    // One second of auto-update has passed.
    void tick();
    // The controller chose a code.
    void chooseCode();
    // The airport code in txtICAO was edited: a cycle whose answer came for
    // the airport there before runs for the new one as soon as the box holds
    // a valid code.
    void airportEdited();
    // Makes the code shown current on the first ATIS after a start, and
    // moves to the next code when auto-update delivers a new observation.
    void AdvanceInformationCode();
    // Puts the text of txtATIS on the clipboard.
    std::optional<Failure> CopyATISToClipboard();
    // The copy command: a failure is told to the user and the program goes on.
    void copy();

    // Where the letter already on the air is looked up before the first ATIS
    // from a starting code, whether Start or Refresh asks for it; null:
    // nowhere. Until the answer comes, every cycle asked for (the start's
    // own, a refresh, a tick) waits for it, so that the first ATIS carries
    // the letter the pilots have. A station this window has put on the air
    // in this session is not looked up again: its own letter is newer than
    // the feed's.
    void setOnlineCodeLookup(OnlineCodeLookup* lookup) { m_lookup = lookup; }
    bool awaitingOnlineCode() const { return m_awaitingOnlineCode; }
    // The clock the age of a report is measured with (UTC).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    bool cycleInProgress() const { return m_cycleInProgress; }
    // From now on a cycle in progress ends silently at its next step and
    // shows no further message: the program is closing.
    void shutDown();
    // Told of every ATIS built and of every new one announced; may be null.
    void setSpeech(AtisSpeech* speech) { m_speech = speech; }
    // The ATIS the window shows, as it was built; none before the first.
    const std::optional<ComposedAtis>& lastAtis() const { return m_lastAtis; }

private:
    enum class CycleEnd
    {
        Done,
        NoMetar
    };
    CycleEnd runCycle(bool force);
    void deliver(bool force, const QString& icao, const DecodedMetar& metar);
    void showError(const QString& firstLine, const Failure& failure);
    void showAutoUpdate(bool running);
    void showCodeIsCurrent(bool current);
    // A cycle that must not be lost to one still in progress.
    void requestCycle(bool force);
    // The station of the airport in the box (KBOS_ATIS, KBOS_A_ATIS...).
    QString station() const;
    // The next cycle builds the first ATIS from a starting code, and the
    // letter on the air is to be looked up for it first.
    bool lookUpDue() const;
    void waitForOnlineCode(bool force);
    void onlineCodeFound(const QString& icao, const QString& callsign,
                         const std::optional<OnlineCodeLookup::OnlineAtis>& online);
    // A cycle whose answer came for an airport no longer in the box: it runs
    // for the airport there now once the box holds a valid code.
    void retryForNewAirport(bool force);
    void cancelOnlineCodeLookup();

    AtisForm& m_form;
    Dialogs& m_dialogs;
    Desktop& m_desktop;
    TextFetcher& m_fetcher;
    SessionState& m_state;
    const ProgramSettings& m_settings;
    bool m_cycleInProgress = false;
    bool m_shutDown = false;
    AtisSpeech* m_speech = nullptr;
    std::optional<ComposedAtis> m_lastAtis;
    OnlineCodeLookup* m_lookup = nullptr;
    bool m_awaitingOnlineCode = false;
    // The station whose letter on the air was looked up for the coming first
    // ATIS; empty when none was since the last start.
    QString m_lookedUp;
    // The stations this window has put an ATIS on the air for.
    QSet<QString> m_onTheAir;
    // The cycles waiting, each with whether it is forced: for the look-up,
    // for the cycle in progress, and for a valid code of the airport the box
    // was changed to.
    std::optional<bool> m_cycleAfterLookUp;
    std::optional<bool> m_cycleAfterThis;
    std::optional<bool> m_cycleForNewAirport;
    // Starts and stops so far: a cycle tells by them what the controller
    // chose while it waited.
    int m_starts = 0;
    int m_stops = 0;
    // The letter taken over and its station, for the next "New ATIS"
    // message when it carries that letter.
    std::optional<OnlineCodeLookup::OnlineAtis> m_takenOver;
    // The next "New ATIS" message's line about a letter on the air that was
    // outside the range.
    QString m_notTakenOver;
    std::function<QDateTime()> m_clock = &QDateTime::currentDateTimeUtc;
};

// While auto-update runs, the letters may change only to a range that holds
// the letter on the air: otherwise the window would show a letter that is
// not on the air, and the next would go out unannounced. False, after
// telling the controller, when the change must wait for a stop.
bool MayChangeLetters(const LetterRange& letters, const AtisForm& form, const SessionState& state,
                      Dialogs& dialogs);
