#include "core/atisspeech.h"

#include "core/dialogs.h"
#include "core/programsettings.h"
#include "core/speaker.h"
#include "core/speechtexts.h"
#include "core/texts.h"

AtisSpeech::AtisSpeech(Speaker& speaker, Dialogs& dialogs, const ProgramSettings& settings,
                       QObject* parent)
    : QObject(parent), m_speaker(speaker), m_dialogs(dialogs), m_settings(settings)
{
    // An engine that fails while it speaks (no audio output) is as good as
    // none.
    connect(&m_speaker, &Speaker::stateChanged, this, [this](Speaker::State state) {
        if (state == Speaker::State::Failed)
            tellUnavailable();
    });
}

void AtisSpeech::atisBuilt(const ComposedAtis& atis)
{
    m_spoken = atis.spoken();
}

void AtisSpeech::atisAnnounced()
{
    if (m_settings.SpeakNewATIS && !m_told)
        speak();
}

void AtisSpeech::SpeakATIS()
{
    if (m_told)
        return;
    if (m_speaker.available() && m_speaker.state() == Speaker::State::Speaking) {
        m_speaker.stop();
        return;
    }
    if (m_spoken.isEmpty()) {
        m_dialogs.message(SpeechTexts::NothingToSpeak, Texts::AppTitle, Dialogs::Icon::Information,
                          Dialogs::Buttons::OK);
        return;
    }
    speak();
}

QStringList AtisSpeech::voices()
{
    return m_speaker.voices();
}

void AtisSpeech::voiceAndRateChanged()
{
    m_speaker.setVoice(m_settings.SpeechVoice);
    m_speaker.setRate(m_settings.SpeechRate);
}

void AtisSpeech::speak()
{
    if (!m_speaker.available()) {
        tellUnavailable();
        return;
    }
    // A new ATIS cuts the old one short.
    if (m_speaker.state() == Speaker::State::Speaking)
        m_speaker.stop();
    m_speaker.say(m_spoken);
}

void AtisSpeech::tellUnavailable()
{
    if (m_told)
        return;
    m_told = true;
    QString text = SpeechTexts::SpeechUnavailable;
    if (const QString reason = m_speaker.failureReason(); !reason.isEmpty())
        text += Texts::CrLf + Texts::CrLf + reason;
    // Told once no other box is open: the failure may come while the "New
    // ATIS" message is on the screen.
    m_dialogs.tell(text, Texts::ErrorTitle, Dialogs::Icon::Exclamation);
    Q_EMIT unavailable();
}
