#include "ui/speechmenus.h"

#include "app/session.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <utility>

SpeechMenus::SpeechMenus(QMenu* file, QMenu* options, Session& session, QObject* parent)
    : QObject(parent), m_session(session)
{
    AtisSpeech& speech = session.speech();
    mnuFileSpeak = new QAction(tr("Spea&k ATIS"), file);
    mnuFileSpeak->setObjectName(QStringLiteral("mnuFileSpeak"));
    mnuFileSpeak->setShortcut(QKeySequence(Qt::Key_F9));
    QAction* before = nullptr;
    for (QAction* action : file->actions())
        if (!before && action->isSeparator())
            before = action;
    file->insertAction(before, mnuFileSpeak);
    connect(mnuFileSpeak, &QAction::triggered, &speech, &AtisSpeech::SpeakATIS);
    // Once the user knows there is no speech, the command rests.
    connect(&speech, &AtisSpeech::unavailable, mnuFileSpeak,
            [this] { mnuFileSpeak->setEnabled(false); });

    options->addSeparator();
    mnuOptionsSpeakNewATIS = options->addAction(tr("&Speak New ATIS Automatically"));
    mnuOptionsSpeakNewATIS->setObjectName(QStringLiteral("mnuOptionsSpeakNewATIS"));
    mnuOptionsSpeakNewATIS->setCheckable(true);
    connect(mnuOptionsSpeakNewATIS, &QAction::toggled, this,
            [this](bool on) { m_session.setSpeakNewATIS(on); });

    mnuOptionsVoice = options->addMenu(tr("&Voice"));
    mnuOptionsVoice->setObjectName(QStringLiteral("mnuOptionsVoice"));
    // The voices are the engine's: listed only when the menu opens, so that
    // start-up loads no engine.
    connect(mnuOptionsVoice, &QMenu::aboutToShow, this, &SpeechMenus::fillVoices);

    mnuOptionsRate = options->addMenu(tr("Speech &Rate"));
    mnuOptionsRate->setObjectName(QStringLiteral("mnuOptionsRate"));
    auto* rates = new QActionGroup(mnuOptionsRate);
    // The rates offered, from -1 (slowest) to 1 (fastest).
    for (const auto& [caption, rate] : {std::pair{tr("&Slow"), -0.4}, std::pair{tr("&Normal"), 0.0},
                                        std::pair{tr("&Fast"), 0.4}}) {
        QAction* action = mnuOptionsRate->addAction(caption);
        action->setCheckable(true);
        action->setData(rate);
        rates->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, rate = rate] { m_session.setSpeechRate(rate); });
    }
}

void SpeechMenus::showSettings()
{
    const ProgramSettings& settings = m_session.settings();
    mnuOptionsSpeakNewATIS->setChecked(settings.SpeakNewATIS);
    for (QAction* action : mnuOptionsRate->actions())
        action->setChecked(action->data().toDouble() == settings.SpeechRate);
}

void SpeechMenus::fillVoices()
{
    mnuOptionsVoice->clear();
    auto* group = new QActionGroup(mnuOptionsVoice);
    const QString chosen = m_session.settings().SpeechVoice;
    QStringList names = m_session.speech().voices();
    names.prepend(QString()); // the engine's default voice
    for (const QString& name : names) {
        QAction* action = mnuOptionsVoice->addAction(
            name.isEmpty() ? tr("&Default") : QString(name).replace(u'&', QStringLiteral("&&")));
        action->setCheckable(true);
        action->setChecked(name == chosen);
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, name] { m_session.setSpeechVoice(name); });
    }
}
