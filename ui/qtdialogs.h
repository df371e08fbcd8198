#pragma once

#include "core/dialogs.h"

#include <QPointer>
#include <QWidget>

// The dialogs port over Qt's own boxes: QMessageBox, QInputDialog and
// QFileDialog, each modal to the window.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    QString input(const QString& prompt, const QString& title, const QString& proposed) override;
    QString openFile(const OpenFileRequest& request) override;

private:
    QPointer<QWidget> m_parent;
};
