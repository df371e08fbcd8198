#include "ui/qtdesktop.h"

#include "ui/uitexts.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>

void QtDesktop::flashWindow()
{
    if (m_window)
        QApplication::alert(m_window, 0);
}

std::optional<Failure> QtDesktop::setClipboardText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return Failure{1, UiTexts::NoClipboard()};
    clipboard->setText(text);
    // The platform may refuse the data (no display connection, another
    // program holding the clipboard); reading it back tells.
    if (clipboard->text() != text)
        return Failure{2, UiTexts::ClipboardRefused()};
    return std::nullopt;
}

bool QtDesktop::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
