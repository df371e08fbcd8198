#include "ui/qtspeaker.h"

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

// Why an engine does not speak, with the engine's own words where it has them.
QString failureOf(const QTextToSpeech& engine)
{
    QString reason =
        QtSpeaker::tr("The speech engine \"%1\" reported an error: is an audio output available?")
            .arg(engine.engine());
    if (const QString detail = engine.errorString(); !detail.isEmpty())
        reason += Texts::CrLf + detail;
    return reason;
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
        m_reason = tr("No text-to-speech engine is installed.");
        return;
    }
    for (const QString& name : engines) {
        auto* engine = new QTextToSpeech(name, this);
        if (engine->state() != QTextToSpeech::Error) {
            m_engine = engine;
            break;
        }
        m_reason = failureOf(*engine);
        delete engine;
    }
    if (!m_engine)
        return;
    m_reason.clear();
    connect(m_engine, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
        if (state == QTextToSpeech::Error)
            m_reason = failureOf(*m_engine);
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
