#pragma once

#include "core/speaker.h"

#include <QStringList>

// A speech engine without audio: records what it was asked to say, and
// speaks until finish() or stop(), or fail() as an engine without an audio
// output does. With `present` false no engine loads.
class FakeSpeaker : public Speaker
{
public:
    bool present = true;
    QStringList said;
    int stops = 0;
    double rate = 0.0;
    QString voice;

    bool available() override { return present; }
    QString failureReason() const override
    {
        return present ? m_failure : QStringLiteral("No engine installed.");
    }
    State state() const override { return m_state; }
    void say(const QString& text) override
    {
        said.append(text);
        setState(State::Speaking);
    }
    void stop() override
    {
        ++stops;
        setState(State::Ready);
    }
    QStringList voices() override { return {QStringLiteral("kal16")}; }
    void setVoice(const QString& v) override { voice = v; }
    void setRate(double r) override { rate = r; }

    void finish() { setState(State::Ready); }
    void fail(const QString& why = QStringLiteral("No audio device available."))
    {
        m_failure = why;
        setState(State::Failed);
    }

private:
    void setState(State s)
    {
        m_state = s;
        Q_EMIT stateChanged(s);
    }
    State m_state = State::Ready;
    QString m_failure;
};
