#include "ui/qtspeaker.h"

#include "core/speechtexts.h"
#include "core/texts.h"

#include <QTextToSpeech>
#include <QVoice>

namespace {
Speaker::State fromQt(QTextToSpeech::State state)
{
    switch (state) {
    case QTextToSpeech::Speaking:
        return Speaker::State::Speaking;
    case QTextToSpeech::Error:
        return Speaker::State::Failed;
    default:
        return Speaker::State::Ready;
    }
}
} // namespace

QtSpeaker::QtSpeaker(QObject* parent) : Speaker(parent) {}

QtSpeaker::~QtSpeaker() = default;

void QtSpeaker::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty()) {
        m_reason = SpeechTexts::NoEngineInstalled;
        return;
    }
    for (const QString& name : engines) {
        auto* engine = new QTextToSpeech(name, this);
        if (engine->state() != QTextToSpeech::Error) {
            m_engine = engine;
            break;
        }
        m_reason = SpeechTexts::EngineFailed.arg(name);
        if (const QString detail = engine->errorString(); !detail.isEmpty())
            m_reason += Texts::CrLf + detail;
        delete engine;
    }
    if (!m_engine)
        return;
    m_reason.clear();
    connect(m_engine, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
        if (state == QTextToSpeech::Error) {
            m_reason = SpeechTexts::EngineFailed.arg(m_engine->engine());
            if (const QString detail = m_engine->errorString(); !detail.isEmpty())
                m_reason += Texts::CrLf + detail;
        }
        Q_EMIT stateChanged(fromQt(state));
    });
    m_defaultVoice = m_engine->voice();
    applyVoice();
    m_engine->setRate(m_rate);
}

bool QtSpeaker::available()
{
    load();
    return m_engine && m_engine->state() != QTextToSpeech::Error;
}

Speaker::State QtSpeaker::state() const
{
    if (!m_engine)
        return m_loaded ? State::Failed : State::Ready;
    return fromQt(m_engine->state());
}

void QtSpeaker::say(const QString& text)
{
    if (available())
        m_engine->say(text);
}

void QtSpeaker::stop()
{
    if (m_engine)
        m_engine->stop();
}

QStringList QtSpeaker::voices()
{
    load();
    QStringList names;
    if (m_engine)
        for (const QVoice& voice : m_engine->availableVoices())
            names << voice.name();
    return names;
}

void QtSpeaker::setVoice(const QString& name)
{
    m_voice = name;
    if (m_engine)
        applyVoice();
}

void QtSpeaker::applyVoice()
{
    for (const QVoice& voice : m_engine->availableVoices()) {
        if (voice.name() == m_voice) {
            m_engine->setVoice(voice);
            return;
        }
    }
    m_engine->setVoice(m_defaultVoice);
}

void QtSpeaker::setRate(double rate)
{
    m_rate = rate;
    if (m_engine)
        m_engine->setRate(rate);
}

QString QtSpeaker::engineName() const
{
    return m_engine ? m_engine->engine() : QString();
}
