#pragma once

#include "core/textfetcher.h"

#include <QString>

class QEventLoop;

// Plain HTTP GETs through libcurl, which checks the framing of every reply:
// a body shorter than its Content-Length, or a chunked body without its
// last chunk, is a failure, never a reply. A fetch looks synchronous to its
// caller but waits in a local event loop, so the window keeps repainting and
// taking clicks while a server is slow; a fetch asked for meanwhile fails at
// once as busy.
//
// Failures carry QNetworkReply's error numbers (1 connection refused, 2
// closed by the server, 3 host not found, 6 TLS handshake, ...) with
// libcurl's text, our own numbers below, or, for an HTTP error status, the
// status code and the server's reason phrase (the standard one when the
// server sends none, as over HTTP/2). Redirects are followed, never from
// https to http, at most ten in a row. Compressed replies are inflated.
// Bodies are read as UTF-8 and refused above 1 MiB, counted inflated.
class HttpTextFetcher : public TextFetcher
{
public:
    static constexpr int DefaultTimeoutMs = 60'000;
    static constexpr qint64 MaxBodyBytes = 1024 * 1024;
    static constexpr int MaxRedirects = 10;
    // Numbers of our own failures, clear of QNetworkReply's.
    static constexpr int TimedOutErrorNumber = 1001;
    static constexpr int TooLargeErrorNumber = 1002;
    static constexpr int CancelledErrorNumber = 1003;
    static constexpr int CutShortErrorNumber = 1004;

    HttpTextFetcher();
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
