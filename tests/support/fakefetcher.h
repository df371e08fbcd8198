#pragma once

#include "core/textfetcher.h"

#include <QList>
#include <QStringList>
#include <functional>

// Replies queued in order; every request recorded. With nothing queued the
// fetch fails like a refused connection. `whileFetching` runs inside a
// fetch, as the events that a waiting fetch lets through would.
class FakeFetcher : public TextFetcher
{
public:
    QList<Result> replies;
    QStringList requested;
    std::function<void()> whileFetching;

    Result fetch(const QString& url) override
    {
        if (m_busy)
            return Failure{BusyErrorNumber, QStringLiteral("Still executing last request")};
        requested.append(url);
        m_busy = true;
        if (whileFetching)
            whileFetching();
        m_busy = false;
        if (replies.isEmpty())
            return Failure{1, QStringLiteral("Connection refused")};
        return replies.takeFirst();
    }

private:
    bool m_busy = false;
};
