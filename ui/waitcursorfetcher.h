#pragma once

#include "core/textfetcher.h"

#include <QApplication>
#include <QCursor>

// Shows the wait cursor while a fetch waits for its server; the window
// itself keeps repainting and taking clicks meanwhile.
class WaitCursorFetcher : public TextFetcher
{
public:
    explicit WaitCursorFetcher(TextFetcher& inner) : m_inner(inner) {}

    Result fetch(const QString& url) override
    {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        Result result = m_inner.fetch(url);
        QApplication::restoreOverrideCursor();
        return result;
    }

private:
    TextFetcher& m_inner;
};
