#pragma once

#include "core/failure.h"

#include <QString>
#include <QUrl>
#include <optional>

// The desktop around the window: flashing it, the clipboard, the browser.
class Desktop
{
public:
    virtual ~Desktop() = default;

    virtual void flashWindow() = 0;
    // Clears the clipboard, then puts the text on it as plain text.
    // Returns the failure when the clipboard could not be set.
    virtual std::optional<Failure> setClipboardText(const QString& text) = 0;
    // Hands the address to the desktop's browser; false when that failed.
    virtual bool openUrl(const QUrl& url) = 0;
};
