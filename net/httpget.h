#pragma once

#include "core/failure.h"
#include "net/curllibrary.h"
#include "net/curltransfer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

// One GET through libcurl, made the way every request of this program is:
// http and https only, redirects followed hop by hop (each hop checked: never
// from https to http, at most ten in a row), compressed replies inflated, no
// proxy from the environment, one time-out for the whole transfer, redirects
// included, and a cap on the body, counted
// inflated. libcurl checks the framing of every reply: a body shorter than
// its Content-Length, or a chunked body without its last chunk, is a
// failure, never a reply. The GET runs from the thread's event loop and
// starts on construction; done is called once, from the event loop, unless
// the HttpGet is destroyed first.
//
// Failures carry the numbers below with libcurl's text or our own, or, for
// an HTTP error status, the status code and the server's reason phrase (the
// standard one when the server sends none, as over HTTP/2).
class HttpGet
{
public:
    // The transfer failures that Qt's network module also knows carry its
    // numbers; the others are clear of them.
    static constexpr int ConnectionRefusedError = 1;
    static constexpr int RemoteHostClosedError = 2;
    static constexpr int HostNotFoundError = 3;
    static constexpr int SslHandshakeFailedError = 6;
    static constexpr int TooManyRedirectsError = 10;
    static constexpr int InsecureRedirectError = 11;
    static constexpr int UnknownNetworkError = 99;
    static constexpr int ProxyNotFoundError = 103;
    static constexpr int ProtocolUnknownError = 301;
    static constexpr int ProtocolFailure = 399;
    static constexpr int TimedOutError = 1001;
    static constexpr int TooLargeError = 1002;
    static constexpr int CancelledError = 1003;
    static constexpr int CutShortError = 1004;
    static constexpr int LibraryMissingError = 1005;
    static constexpr int MaxRedirects = 10;

    struct Options
    {
        int timeoutMs = 0;
        qint64 maxBodyBytes = 0; // a whole number of MiB
        // Trusts only the certificates of this PEM file instead of the
        // system's (a private server). Empty: the system's.
        QString caFile;
    };
    using Result = std::variant<QByteArray, Failure>;
    using Done = std::function<void(const Result&)>;

    HttpGet(const QString& url, const Options& options, Done done);
    ~HttpGet();
    HttpGet(const HttpGet&) = delete;
    HttpGet& operator=(const HttpGet&) = delete;

private:
    // One hop of the chain of redirects.
    void start(const QString& url);
    void finished(CURLcode code);
    void finish(const Result& result);
    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    static size_t onBody(char* data, size_t size, size_t count, void* self);
    int httpStatus() const;
    int numberOf(CURLcode code) const;
    QString descriptionOf(CURLcode code) const;
    Result resultOf(CURLcode code) const;

    const CurlLibrary* m_curl = nullptr;
    Options m_options;
    Done m_done;
    QString m_url; // of the hop under way
    int m_redirects = 0;
    QElapsedTimer m_started;
    CURL* m_easy = nullptr;
    QByteArray m_body;
    QByteArray m_reason; // of the last answer's status line
    std::optional<Failure> m_ownFailure;
    char m_errorText[CURL_ERROR_SIZE] = {};
    std::optional<CurlTransfer> m_transfer;
    // Gone with the GET: an answer still to be told from the event loop is dropped.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
