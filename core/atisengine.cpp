#include "core/atisengine.h"

#include "core/asciiregex.h"
#include "core/atisfile.h"
#include "core/atisform.h"
#include "core/atisspeech.h"
#include "core/changereport.h"
#include "core/composition.h"
#include "core/desktop.h"
#include "core/dialogs.h"
#include "core/metar.h"
#include "core/metarage.h"
#include "core/metarrequest.h"
#include "core/sessionstate.h"
#include "core/textfetcher.h"
#include "core/texts.h"

namespace {

const QString ICAOPattern = QStringLiteral("^[A-Z]([A-Z]|\\d){3}$");

} // namespace

AtisEngine::AtisEngine(AtisForm& form, Dialogs& dialogs, Desktop& desktop, TextFetcher& fetcher,
                       SessionState& state)
    : m_form(form), m_dialogs(dialogs), m_desktop(desktop), m_fetcher(fetcher), m_state(state)
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
    if (m_awaitingOnlineCode)
        m_lookup->cancel();
    m_awaitingOnlineCode = false;
}

void AtisEngine::UpdateATIS(bool Force)
{
    if (m_cycleInProgress || m_shutDown)
        return;
    m_cycleInProgress = true;
    const bool autoUpdating = m_form.timerEnabled();
    const CycleEnd end = runCycle(Force);
    m_cycleInProgress = false;
    // The no-METAR answer toggles auto-update once the cycle is over, so a
    // toggle that starts it can run its own immediate cycle. A Start or Stop
    // the controller chose while the reply was awaited holds.
    if (end == CycleEnd::NoMetar && !m_shutDown && m_form.timerEnabled() == autoUpdating)
        ToggleAutoUpdate();
}

AtisEngine::CycleEnd AtisEngine::runCycle(bool force)
{
    const QString icao = m_form.icaoText();
    const TextFetcher::Result result =
        m_fetcher.fetch(BuildMetarRequestURL(m_state.MetarServerURL, icao));
    if (m_shutDown)
        return CycleEnd::Done;
    if (const Failure* failure = std::get_if<Failure>(&result)) {
        // Another cycle's request is still running: that cycle goes on.
        if (failure->number != BusyErrorNumber)
            showError(Texts::RetrievalError, *failure);
        return CycleEnd::Done;
    }
    // The window stays usable while the reply is awaited: a reply for an
    // airport no longer in the box is dropped, and the next cycle asks for
    // the one there now (none is started at once: the box may hold a code
    // half typed).
    if (m_form.icaoText() != icao)
        return CycleEnd::Done;

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
    deliver(force, icao, *metar);
    return CycleEnd::Done;
}

void AtisEngine::deliver(bool force, const QString& icao, const DecodedMetar& metar)
{
    const QString key = icao + metar.ObservationTime;
    const bool changed = key != m_state.LastMetarKey || m_form.codeLabel() == Texts::StartingCode;
    if (!force && !changed)
        return;

    if (changed)
        AdvanceInformationCode();
    AtisInputs inputs;
    inputs.templateText = m_form.templateText();
    inputs.icao = icao;
    inputs.informationCode = m_form.codeText();
    inputs.metar = metar;
    inputs.runways = RunwayUseOf(m_form);
    inputs.profile = m_state.CurrentProfile;
    const auto composed = ComposeAtis(inputs);
    if (const Failure* failure = std::get_if<Failure>(&composed)) {
        showError(Texts::ProcessingError, *failure);
        return;
    }
    const ComposedAtis& atis = std::get<ComposedAtis>(composed);
    m_form.setAtisText(atis.text);
    if (m_speech)
        m_speech->atisBuilt(atis);

    if (m_form.updateATISFileChecked()) {
        if (const auto failure = WriteATISFile(m_state.ATISFilePath, atis.text)) {
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
        QString notices = AgeNotice(MetarAgeMinutes(finished.ObservationTime, m_clock()));
        if (!m_takenOverFrom.isEmpty())
            notices += TakenOverNotice(m_takenOverFrom, atis.values.informationCode);
        m_takenOverFrom.clear();
        const Dialogs::Answer answer = m_dialogs.message(
            NewAtisPrompt(atis.values.informationCode, finished.Wind, finished.Altimeter,
                          finished.Visibility, finished.Sky, changeLine + notices),
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

void AtisEngine::ToggleAutoUpdate()
{
    if (m_form.timerEnabled()) {
        m_form.setTimerEnabled(false);
        m_state.TickCounter = 0;
        m_form.setStartStopCaptions(Texts::Start, Texts::StartAutoupdate);
        m_form.setCodeListEnabled(true);
        m_form.setCodeLabel(Texts::StartingCode);
        cancelOnlineCodeLookup();
        m_takenOverFrom.clear();
        return;
    }
    if (!ValidateICAO())
        return;
    m_form.setStartStopCaptions(Texts::Stop, Texts::StopAutoupdate);
    m_state.TickCounter = 0;
    m_form.setTimerEnabled(true);
    m_form.setCodeListEnabled(false);
    // Taking an airport over: the first cycle waits for the letter already on
    // the air, so that the first ATIS carries it. The window goes on meanwhile.
    if (m_lookup && m_takeOverOnlineCode && m_form.codeLabel() == Texts::StartingCode) {
        m_awaitingOnlineCode = true;
        m_lookup->lookUp(m_form.icaoText(),
                         [this](const std::optional<OnlineCodeLookup::OnlineAtis>& online) {
                             takeOverOnlineCode(online);
                         });
        return;
    }
    UpdateATIS(false);
}

void AtisEngine::takeOverOnlineCode(const std::optional<OnlineCodeLookup::OnlineAtis>& online)
{
    m_awaitingOnlineCode = false;
    if (m_shutDown || !m_form.timerEnabled())
        return;
    // A refresh meanwhile may already have delivered an ATIS: its letter stays.
    if (online && m_form.codeLabel() == Texts::StartingCode && online->codeIndex >= 0 &&
        online->codeIndex < m_form.codeCount()) {
        m_form.setCodeIndex(online->codeIndex);
        m_takenOverFrom = online->callsign;
    }
    UpdateATIS(false);
}

bool AtisEngine::ValidateICAO()
{
    static const AsciiRegex pattern(ICAOPattern, AsciiRegex::NoOption);
    const QString icao = m_form.icaoText();
    if (icao.isEmpty()) {
        m_dialogs.message(Texts::MustEnterICAO, Texts::ErrorTitle, Dialogs::Icon::Exclamation,
                          Dialogs::Buttons::OK);
        m_form.focusIcao(false);
        return false;
    }
    if (pattern.test(icao))
        return true;
    m_dialogs.message(Texts::InvalidICAO, Texts::ErrorTitle, Dialogs::Icon::Exclamation,
                      Dialogs::Buttons::OK);
    m_form.focusIcao(true);
    return false;
}

void AtisEngine::tmrMain_Timer()
{
    ++m_state.TickCounter;
    if (m_state.TickCounter >= UpdateEveryTicks) {
        m_state.TickCounter = 0;
        UpdateATIS(false);
    }
}

void AtisEngine::cboATISCode_Click()
{
    if (m_form.codeListEnabled())
        m_form.setCodeLabel(Texts::StartingCode);
}

void AtisEngine::AdvanceInformationCode()
{
    if (m_form.codeLabel() == Texts::StartingCode) {
        m_form.setCodeLabel(Texts::CurrentCode);
        return;
    }
    if (!m_form.timerEnabled() || m_form.codeCount() <= 0)
        return;
    const int index = m_form.codeIndex();
    m_form.setCodeIndex(index >= m_form.codeCount() - 1 || index < 0 ? 0 : index + 1);
}

std::optional<Failure> AtisEngine::CopyATISToClipboard()
{
    return m_desktop.setClipboardText(m_form.atisText());
}

void AtisEngine::CopyCommand()
{
    if (const auto failure = CopyATISToClipboard())
        showError(Texts::CopyError, *failure);
}
