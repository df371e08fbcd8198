#include "core/atisspeech.h"

#include "core/dialogs.h"
#include "core/speaker.h"
#include "core/speechtexts.h"
#include "core/texts.h"

AtisSpeech::AtisSpeech(Speaker& speaker, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_speaker(speaker), m_dialogs(dialogs)
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
    if (m_settings.speakNewATIS && !m_told)
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

void AtisSpeech::setSettings(const SpeechSettings& settings)
{
    m_settings = settings;
    m_speaker.setVoice(settings.voice);
    m_speaker.setRate(settings.rate);
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
