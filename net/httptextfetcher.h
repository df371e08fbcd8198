#pragma once

#include "textfetcher.h"

#include <QPointer>
#include <memory>

class QEventLoop;
class QNetworkAccessManager;
class QNetworkReply;

// Plain HTTP GETs over one QNetworkAccessManager. A fetch looks synchronous
// to its caller but waits in a local event loop, so the window keeps
// repainting and taking clicks while a server is slow; a fetch asked for
// meanwhile fails at once as busy.
//
// Failures carry QNetworkReply's error number and text (1 connection
// refused, 2 closed by the server, 3 host not found, 6 TLS handshake, ...),
// or, for an HTTP error status, the status code and the server's reason
// phrase. Redirects are followed, never from https to http, at most ten in
// a row. Bodies are read as UTF-8 and refused above 1 MiB.
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

    HttpTextFetcher();
    ~HttpTextFetcher() override;

    Result fetch(const QString& url) override;

    // The whole transfer, from request to last byte.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }
    bool busy() const { return m_loop != nullptr; }
    // Ends a waiting fetch at once with a cancellation failure (the window
    // is closing). Does nothing when no fetch waits.
    void abort();

private:
    // Made at the first fetch, so that the network stack starts then.
    std::unique_ptr<QNetworkAccessManager> m_manager;
    QEventLoop* m_loop = nullptr;
    QPointer<QNetworkReply> m_reply;
    int m_timeoutMs = DefaultTimeoutMs;
    bool m_cancelled = false;
};
