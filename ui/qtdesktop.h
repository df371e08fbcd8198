#pragma once

#include "core/desktop.h"

#include <QPointer>
#include <QWidget>

// The desktop port: the window's taskbar alert, the system clipboard and the
// desktop's browser.
class QtDesktop : public Desktop
{
public:
    explicit QtDesktop(QWidget* window = nullptr) : m_window(window) {}

    void flashWindow() override;
    std::optional<Failure> setClipboardText(const QString& text) override;
    bool openUrl(const QUrl& url) override;

private:
    QPointer<QWidget> m_window;
};
