#pragma once

#include "core/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>

// A dialog answerer for tests: queued answers, every request recorded.
// A message with no queued answer gets the box's default (OK, Yes, or the
// first button), an input with none gets the empty text (cancelled).
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };
    struct Asked
    {
        QString prompt;
        QString title;
        QString proposed;
    };

    QList<Answer> answers;
    QList<QString> inputs;
    QList<QString> files;
    QList<Shown> shown;
    QList<Asked> asked;
    QList<OpenFileRequest> fileRequests;
    // Runs while a message box is "open", before it returns (for re-entrancy tests).
    std::function<void(const Shown&)> whileShown;
    // The most message boxes open at once: 2 when one opened inside another.
    int mostOpen = 0;

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override
    {
        shown.append({text, title, icon, buttons});
        mostOpen = std::max(mostOpen, ++m_open);
        if (whileShown)
            whileShown(shown.last());
        --m_open;
        if (!answers.isEmpty())
            return answers.takeFirst();
        const bool yesNo = buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
        return yesNo ? Answer::Yes : Answer::OK;
    }

    QString input(const QString& prompt, const QString& title, const QString& proposed) override
    {
        asked.append({prompt, title, proposed});
        return inputs.isEmpty() ? QString() : inputs.takeFirst();
    }

    // The texts of the messages shown, and the names proposed, in order.
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const Shown& s : shown)
            texts.append(s.text);
        return texts;
    }
    QStringList proposedNames() const
    {
        QStringList names;
        for (const Asked& a : asked)
            names.append(a.proposed);
        return names;
    }

    QString openFile(const OpenFileRequest& request) override
    {
        fileRequests.append(request);
        return files.isEmpty() ? QString() : files.takeFirst();
    }

private:
    int m_open = 0;
};
