#pragma once

#include "core/desktop.h"

#include <QUrl>

// The desktop's services as counters and fields.
class FakeDesktop : public Desktop
{
public:
    int flashes = 0;
    QString clipboard = QStringLiteral("<untouched>");
    int clipboardSets = 0;
    std::optional<Failure> clipboardFailure;

    void flashWindow() override { ++flashes; }
    std::optional<Failure> setClipboardText(const QString& text) override
    {
        if (clipboardFailure)
            return clipboardFailure;
        ++clipboardSets;
        clipboard = text;
        return std::nullopt;
    }
    bool openUrl(const QUrl&) override { return true; }
};
