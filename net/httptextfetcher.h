#pragma once

#include "core/textfetcher.h"

#include <QString>

class QEventLoop;

// Plain HTTP GETs of text, each one an HttpGet with its failures. A fetch
// looks synchronous to its caller but waits in a local event loop, so the
// window keeps repainting and taking clicks while a server is slow; a fetch
// asked for meanwhile fails at once as busy. Bodies are read as UTF-8 and
// refused above 1 MiB.
class HttpTextFetcher : public TextFetcher
{
public:
    static constexpr int DefaultTimeoutMs = 60'000;
    static constexpr qint64 MaxBodyBytes = 1024 * 1024;

    ~HttpTextFetcher() override;

    Result fetch(const QString& url) override;

    // The whole transfer, from request to last byte.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }
    // Trusts only the certificates of this PEM file instead of the system's
    // (a private server). Empty: the system's.
    void setCaCertificatesFile(const QString& path) { m_caFile = path; }
    bool busy() const { return m_loop != nullptr; }
    // Ends a waiting fetch at once with a cancellation failure (the window
    // is closing). Does nothing when no fetch waits.
    void abort();

private:
    QEventLoop* m_loop = nullptr;
    int m_timeoutMs = DefaultTimeoutMs;
    QString m_caFile;
};
