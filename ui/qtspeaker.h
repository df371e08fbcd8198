#pragma once

#include "core/speaker.h"

#include <QVoice>

class QTextToSpeech;

// Speech through Qt's text-to-speech engines. The engine is loaded on first
// use, so a start-up without speech costs nothing; the first engine that
// loads without an error is kept.
class QtSpeaker : public Speaker
{
    Q_OBJECT
public:
    explicit QtSpeaker(QObject* parent = nullptr);
    ~QtSpeaker() override;

    bool available() override;
    QString failureReason() const override { return m_reason; }
    State state() const override;
    void say(const QString& text) override;
    void stop() override;
    QStringList voices() override;
    void setVoice(const QString& name) override;
    void setRate(double rate) override;
    // The engine in use, empty without one.
    QString engineName() const;

private:
    void load();
    void applyVoice();

    QTextToSpeech* m_engine = nullptr;
    bool m_loaded = false;
    QString m_reason;
    QString m_voice;
    QVoice m_defaultVoice;
    double m_rate = 0.0;
};
