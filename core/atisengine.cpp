#include "core/atisengine.h"

#include "core/atischeck.h"
#include "core/atisfile.h"
#include "core/atisform.h"
#include "core/atisspeech.h"
#include "core/changereport.h"
#include "core/composition.h"
#include "core/desktop.h"
#include "core/dialogs.h"
#include "core/informationcodes.h"
#include "core/metar.h"
#include "core/metarage.h"
#include "core/metarrequest.h"
#include "core/programsettings.h"
#include "core/sessionstate.h"
#include "core/textfetcher.h"
#include "core/texts.h"

#include <QRegularExpression>
#include <utility>

AtisEngine::AtisEngine(AtisForm& form, Dialogs& dialogs, Desktop& desktop, TextFetcher& fetcher,
                       SessionState& state, const ProgramSettings& settings)
    : m_form(form), m_dialogs(dialogs), m_desktop(desktop), m_fetcher(fetcher), m_state(state),
      m_settings(settings)
{
}

AtisEngine::~AtisEngine()
{
    shutDown();
}

void AtisEngine::shutDown()
{
    m_shutDown = true;
    // No answer may come back to an engine that has stopped.
    cancelOnlineCodeLookup();
}

void AtisEngine::cancelOnlineCodeLookup()
{
    if (m_awaitingOnlineCode) {
        m_lookup->cancel();
        m_form.showLookingUp(false);
    }
    m_awaitingOnlineCode = false;
    m_cycleAfterLookUp.reset();
}

void AtisEngine::UpdateATIS(bool Force)
{
    if (m_shutDown)
        return;
    if (m_awaitingOnlineCode || lookUpDue())
        return waitForOnlineCode(Force);
    if (m_cycleInProgress)
        return;
    m_cycleInProgress = true;
    m_cycleForNewAirport.reset();
    const int starts = m_starts, stops = m_stops;
    const CycleEnd end = runCycle(Force);
    m_cycleInProgress = false;
    // The no-METAR answer toggles auto-update once the cycle is over, so a
    // toggle that starts it can run its own immediate cycle. A Start or Stop
    // the controller chose while the reply was awaited holds.
    if (end == CycleEnd::NoMetar && !m_shutDown && m_starts == starts && m_stops == stops)
        ToggleAutoUpdate();
    if (m_cycleAfterThis && !m_shutDown) {
        const bool force = *m_cycleAfterThis;
        m_cycleAfterThis.reset();
        UpdateATIS(force);
    }
}

void AtisEngine::requestCycle(bool force)
{
    if (m_cycleInProgress && !lookUpDue()) {
        m_cycleAfterThis = force || m_cycleAfterThis.value_or(false);
        return;
    }
    UpdateATIS(force);
}

AtisEngine::CycleEnd AtisEngine::runCycle(bool force)
{
    const QString icao = m_form.profile().icao;
    const int stops = m_stops;
    const TextFetcher::Result result =
        m_fetcher.fetch(BuildMetarRequestURL(m_state.MetarServerURL, icao));
    // The controller's Stop holds: whatever comes back for a cycle of
    // auto-update begun before it is dropped without a word. A refresh the
    // controller asked for still comes.
    if (m_shutDown || (m_stops != stops && !force))
        return CycleEnd::Done;
    if (const Failure* failure = std::get_if<Failure>(&result)) {
        // Another cycle's request is still running: that cycle goes on.
        if (failure->number != BusyErrorNumber)
            showError(Texts::RetrievalError, *failure);
        return CycleEnd::Done;
    }
    // The window stays usable while the reply is awaited: a reply for an
    // airport no longer in the box is dropped, and the cycle asks again for
    // the one there now.
    if (m_form.profile().icao != icao) {
        retryForNewAirport(force);
        return CycleEnd::Done;
    }

    const QString reply = NormaliseMetarReply(std::get<QString>(result));
    m_form.setLastMetarText(reply);
    if (IsNoMetarReply(reply)) {
        m_dialogs.message(reply, Texts::ErrorTitle, Dialogs::Icon::Exclamation,
                          Dialogs::Buttons::OK);
        return CycleEnd::NoMetar;
    }
    m_state.TickCounter = 0;

    std::optional<DecodedMetar> metar = DecodeMetar(reply);
    if (!metar) {
        m_dialogs.message(Texts::CouldNotParse, Texts::ErrorTitle, Dialogs::Icon::Critical,
                          Dialogs::Buttons::OK);
        return CycleEnd::Done;
    }
    if (const auto failure = CheckReplyStation(reply, icao)) {
        showError(Texts::ProcessingError, *failure);
        return CycleEnd::Done;
    }
    deliver(force, icao, *metar);
    return CycleEnd::Done;
}

void AtisEngine::deliver(bool force, const QString& icao, const DecodedMetar& metar)
{
    // A cycle begun before the look-up was due waits for the letter on the
    // air like the start's own.
    if (m_awaitingOnlineCode || lookUpDue())
        return waitForOnlineCode(force);
    const QString key = icao + metar.ObservationTime;
    const bool changed = key != m_state.LastMetarKey || !m_state.codeIsCurrent;
    if (!force && !changed)
        return;

    if (changed) {
        // One letter per observation: a cycle that could not deliver its
        // ATIS leaves the key behind, and its retry keeps the letter chosen.
        if (!m_state.codeIsCurrent || key != m_state.codeChosenForKey)
            AdvanceInformationCode();
        m_state.codeChosenForKey = key;
    }
    const AtisInputs inputs{.profile = m_form.profile(),
                            .profileName = m_state.CurrentProfile,
                            .informationCode = m_form.codeText(),
                            .metar = metar};
    const auto composed = ComposeAtis(inputs);
    if (const Failure* failure = std::get_if<Failure>(&composed)) {
        showError(Texts::ProcessingError, *failure);
        return;
    }
    const ComposedAtis& atis = std::get<ComposedAtis>(composed);
    m_form.setAtisText(atis.text);
    const std::optional<qint64> age = MetarAgeMinutes(atis.values.metar.ObservationTime, m_clock());
    const QStringList findings =
        CheckAtis({atis, inputs.runways(), icao, age, m_settings.ATISFileEncoding});
    m_form.showFindings(findings);
    m_lastAtis = atis;
    if (m_speech)
        m_speech->atisBuilt(atis);

    if (m_settings.UpdateATISFile) {
        if (const auto failure =
                WriteATISFile(m_settings.ATISFilePath, atis.text, m_settings.ATISFileEncoding)) {
            showError(Texts::WriteError, *failure);
            return;
        }
    }

    const DecodedMetar& finished = atis.values.metar;
    const AtisElements current = AtisElements::of(finished);
    const QString changeLine = BuildChangeList(current, m_state.Prev, m_state.LastMetarKey);

    if (changed) {
        m_desktop.flashWindow();
        if (m_speech)
            m_speech->atisAnnounced();
        QString notices = ClockAheadNotice(age);
        if (m_takenOver && m_takenOver->codeIndex == m_form.codeIndex())
            notices += TakenOverNotice(m_takenOver->callsign, atis.values.informationCode);
        notices += std::exchange(m_notTakenOver, {});
        m_takenOver.reset();
        const Dialogs::Answer answer = m_dialogs.message(
            NewAtisPrompt(atis.values.informationCode, finished.Wind, finished.Altimeter,
                          finished.Visibility, finished.Sky,
                          changeLine + notices + CheckBlock(findings)),
            Texts::NewAtisTitle, Dialogs::Icon::Information, Dialogs::Buttons::OKCancel);
        if (m_shutDown)
            return;
        if (answer == Dialogs::Answer::OK) {
            if (const auto failure = CopyATISToClipboard()) {
                showError(Texts::ProcessingError, *failure);
                return;
            }
        }
    }

    // Keyed with the airport the observation is for, even when the box
    // changed while the message was open: the next cycle then takes the
    // airport there now as a new observation.
    m_state.LastMetarKey = key;
    m_state.Prev = current;
    m_onTheAir.insert(AtisCallsign(icao, inputs.profile.atisType));
}

void AtisEngine::showError(const QString& firstLine, const Failure& failure)
{
    if (m_shutDown)
        return;
    m_dialogs.message(firstLine + Texts::CrLf + Texts::CrLf + FailureText(failure),
                      Texts::ErrorTitle, Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
}

void AtisEngine::RefreshATIS()
{
    if (ValidateICAO())
        UpdateATIS(true);
}

void AtisEngine::showAutoUpdate(bool running)
{
    m_state.autoUpdating = running;
    m_form.showAutoUpdate(running);
}

void AtisEngine::showCodeIsCurrent(bool current)
{
    m_state.codeIsCurrent = current;
    m_form.showCodeIsCurrent(current);
}

void AtisEngine::ToggleAutoUpdate()
{
    if (m_state.autoUpdating) {
        ++m_stops;
        showAutoUpdate(false);
        m_state.TickCounter = 0;
        showCodeIsCurrent(false);
        // Stop ends the cycles of auto-update and the look-up for them; a
        // refresh the controller asked for still comes, after its look-up.
        for (std::optional<bool>* cycle :
             {&m_cycleAfterThis, &m_cycleAfterLookUp, &m_cycleForNewAirport}) {
            if (!cycle->value_or(true))
                cycle->reset();
        }
        if (!m_cycleAfterLookUp)
            cancelOnlineCodeLookup();
        // The next start looks the letter on the air up again.
        m_lookedUp.clear();
        m_takenOver.reset();
        m_notTakenOver.clear();
        return;
    }
    if (!ValidateICAO())
        return;
    ++m_starts;
    m_state.TickCounter = 0;
    showAutoUpdate(true);
    requestCycle(false);
}

QString AtisEngine::station() const
{
    const Profile shown = m_form.profile();
    return AtisCallsign(shown.icao, shown.atisType);
}

bool AtisEngine::lookUpDue() const
{
    // Taking an airport over: the first ATIS waits for the letter already on
    // the air, so that it carries it. A letter this window put on the air is
    // newer than the feed's, which may still list an older one.
    if (!m_lookup || !m_settings.TakeOverOnlineCode || m_state.codeIsCurrent)
        return false;
    const QString callsign = station();
    return callsign != m_lookedUp && !m_onTheAir.contains(callsign);
}

void AtisEngine::waitForOnlineCode(bool force)
{
    m_cycleAfterLookUp = force || m_cycleAfterLookUp.value_or(false);
    if (m_awaitingOnlineCode)
        return;
    m_awaitingOnlineCode = true;
    m_form.showLookingUp(true);
    const QString icao = m_form.profile().icao;
    const QString callsign = station();
    m_lookup->lookUp(callsign, [this, icao, callsign](
                                   const std::optional<OnlineCodeLookup::OnlineAtis>& online) {
        onlineCodeFound(icao, callsign, online);
    });
}

void AtisEngine::onlineCodeFound(const QString& icao, const QString& callsign,
                                 const std::optional<OnlineCodeLookup::OnlineAtis>& online)
{
    m_awaitingOnlineCode = false;
    m_form.showLookingUp(false);
    const std::optional<bool> waiting = std::exchange(m_cycleAfterLookUp, {});
    if (m_shutDown || !waiting)
        return;
    // Like a METAR reply, an answer for an airport no longer in the box is
    // dropped; the airport there now is looked up instead.
    if (m_form.profile().icao != icao)
        return retryForNewAirport(*waiting);
    m_lookedUp = callsign;
    m_takenOver.reset();
    m_notTakenOver.clear();
    // An arrival ATIS does not go on with a departure letter: a letter
    // outside the range is left to the station that has it.
    const LetterRange range = m_form.profile().letters;
    if (online && m_settings.TakeOverOnlineCode && range.contains(online->codeIndex)) {
        m_form.setCodeIndex(online->codeIndex);
        m_takenOver = online;
    } else if (online && m_settings.TakeOverOnlineCode && online->codeIndex >= 0 &&
               online->codeIndex < InformationCodes().size()) {
        m_notTakenOver =
            NotTakenOverNotice(online->callsign, InformationCodes().at(online->codeIndex), range);
    }
    requestCycle(*waiting);
}

void AtisEngine::retryForNewAirport(bool force)
{
    m_cycleForNewAirport = force || m_cycleForNewAirport.value_or(false);
    // A code half typed is not asked for: the cycle waits for the edit that
    // completes it.
    airportEdited();
}

void AtisEngine::airportEdited()
{
    static const QRegularExpression pattern(ICAOPattern);
    if (!m_cycleForNewAirport || !pattern.match(m_form.profile().icao).hasMatch())
        return;
    requestCycle(*std::exchange(m_cycleForNewAirport, {}));
}

bool AtisEngine::ValidateICAO()
{
    static const QRegularExpression pattern(ICAOPattern);
    const QString icao = m_form.profile().icao;
    if (icao.isEmpty()) {
        m_dialogs.message(Texts::MustEnterICAO, Texts::ErrorTitle, Dialogs::Icon::Exclamation,
                          Dialogs::Buttons::OK);
        m_form.focusIcao(false);
        return false;
    }
    if (pattern.match(icao).hasMatch())
        return true;
    m_dialogs.message(Texts::InvalidICAO, Texts::ErrorTitle, Dialogs::Icon::Exclamation,
                      Dialogs::Buttons::OK);
    m_form.focusIcao(true);
    return false;
}

void AtisEngine::tick()
{
    ++m_state.TickCounter;
    if (m_state.TickCounter >= UpdateEveryTicks) {
        m_state.TickCounter = 0;
        UpdateATIS(false);
    }
}

void AtisEngine::chooseCode()
{
    // The list is unlocked exactly while auto-update is stopped.
    if (!m_state.autoUpdating)
        showCodeIsCurrent(false);
}

void AtisEngine::AdvanceInformationCode()
{
    if (!m_state.codeIsCurrent) {
        showCodeIsCurrent(true);
        return;
    }
    if (!m_state.autoUpdating)
        return;
    m_form.setCodeIndex(m_form.profile().letters.next(m_form.codeIndex()));
}

std::optional<Failure> AtisEngine::CopyATISToClipboard()
{
    return m_desktop.setClipboardText(m_form.atisText());
}

void AtisEngine::copy()
{
    if (const auto failure = CopyATISToClipboard())
        showError(Texts::CopyError, *failure);
}

bool MayChangeLetters(const LetterRange& letters, const AtisForm& form, const SessionState& state,
                      Dialogs& dialogs)
{
    if (!state.autoUpdating || !state.codeIsCurrent || letters.contains(form.codeIndex()))
        return true;
    dialogs.message(
        QString(Texts::LettersWaitForStop).arg(form.codeText(), LetterRangeText(letters)),
        Texts::ErrorTitle, Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
    return false;
}
