#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// A speech engine: says a text aloud, and tells when it starts and ends.
// The window's adapter speaks through the platform's engine; tests use a
// scripted one.
class Speaker : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Ready,
        Speaking,
        Failed
    };

    using QObject::QObject;

    // Loads an engine on first use; false when none can be loaded.
    virtual bool available() = 0;
    // Why no engine could be loaded, or why the engine failed.
    virtual QString failureReason() const = 0;
    virtual State state() const = 0;
    virtual void say(const QString& text) = 0;
    virtual void stop() = 0;
    // The engine's voices by name; empty without an engine.
    virtual QStringList voices() = 0;
    // An empty or unknown name keeps the engine's default voice.
    virtual void setVoice(const QString& name) = 0;
    // From -1 (slowest) through 0 (normal) to 1 (fastest).
    virtual void setRate(double rate) = 0;

Q_SIGNALS:
    void stateChanged(Speaker::State state);
};
