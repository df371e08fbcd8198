#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Modal dialogs: the message box, the text input box and the open-file dialog.
// Production code asks this port; tests script its answers.
class Dialogs
{
public:
    enum class Icon
    {
        Information,
        Question,
        Exclamation,
        Critical
    };
    enum class Buttons
    {
        OK,
        OKCancel,
        YesNo,
        YesNoCancel
    };
    enum class Answer
    {
        OK,
        Cancel,
        Yes,
        No
    };

    struct OpenFileRequest
    {
        QString title;
        QString initialFile;
        // Pairs of description and pattern, e.g. {"Text files (*.txt)", "*.txt"}.
        QList<QPair<QString, QString>> filters;
        int selectedFilter = 0;
        QString defaultSuffix;
        bool mustExist = true;
    };

    virtual ~Dialogs() = default;

    // Shows a modal message box and returns the button chosen. Closing the box
    // without a button gives Cancel (or No for Yes/No, OK for OK only).
    virtual Answer message(const QString& text, const QString& title, Icon icon,
                           Buttons buttons) = 0;
    // Shows a modal text input box; Cancel and an empty entry both give the
    // empty text.
    virtual QString input(const QString& prompt, const QString& title, const QString& proposed) = 0;
    // Shows an open-file dialog; the empty text when cancelled.
    virtual QString openFile(const OpenFileRequest& request) = 0;
    // A notice with an OK button that nothing waits for: a window that never
    // opens two boxes at once shows it once no other box is open.
    virtual void tell(const QString& text, const QString& title, Icon icon)
    {
        message(text, title, icon, Buttons::OK);
    }
};
