#include "net/httpget.h"

#include "net/httpstatustexts.h"
#include "net/nettexts.h"

#include <QCoreApplication>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cerrno>

namespace {
Failure statusFailure(int status, const QByteArray& reason)
{
    const QString phrase =
        reason.isEmpty() ? standardReasonPhrase(status) : QString::fromLatin1(reason);
    switch (status) {
    case 301:
    case 302:
    case 303:
    case 307:
    case 308:
        return {status, NetTexts::RedirectWithoutLocation.arg(phrase)};
    default:
        return {status, phrase};
    }
}

} // namespace

HttpGet::HttpGet(const QString& url, const Options& options, Done done)
    : m_options(options), m_done(std::move(done))
{
    QString reason;
    m_curl = Curl(&reason);
    if (!m_curl) {
        // Told from the event loop, as every answer is.
        QTimer::singleShot(0, [alive = std::weak_ptr<bool>(m_alive), this, reason] {
            if (alive.lock())
                finish(Failure{LibraryMissingError, NetTexts::LibraryMissing.arg(reason)});
        });
        return;
    }
    const CurlLibrary& curl = *m_curl;
    m_easy = curl.easy_init();
    CURL* easy = m_easy;
    curl.easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    // Redirects are followed here, hop by hop, so that every hop is checked.
    curl.easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    // Every encoding libcurl can inflate; the cap counts inflated bytes.
    curl.easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    // No proxy from the environment: the network's servers are reached directly.
    curl.easy_setopt(easy, CURLOPT_PROXY, "");
    // Some servers refuse a request that names no client.
    const QString userAgent =
        QCoreApplication::applicationName() + u'/' + QCoreApplication::applicationVersion();
    curl.easy_setopt(easy, CURLOPT_USERAGENT, userAgent.toUtf8().constData());
    curl.easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    if (!m_options.caFile.isEmpty())
        curl.easy_setopt(easy, CURLOPT_CAINFO, m_options.caFile.toLocal8Bit().constData());
    curl.easy_setopt(easy, CURLOPT_ERRORBUFFER, m_errorText);
    curl.easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpGet::onHeader);
    curl.easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl.easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpGet::onBody);
    curl.easy_setopt(easy, CURLOPT_WRITEDATA, this);
    m_started.start();
    start(url);
}

void HttpGet::start(const QString& url)
{
    m_url = url;
    m_body.clear();
    m_reason.clear();
    m_curl->easy_setopt(m_easy, CURLOPT_URL, url.toUtf8().constData());
    // One time-out for the whole chain of redirects: each hop gets what is left.
    const qint64 left = std::max<qint64>(1, m_options.timeoutMs - m_started.elapsed());
    m_curl->easy_setopt(m_easy, CURLOPT_TIMEOUT_MS, long(m_options.timeoutMs > 0 ? left : 0));
    m_transfer.emplace(*m_curl, m_easy, [this](CURLcode code) { finished(code); });
}

void HttpGet::finished(CURLcode code)
{
    if (code == CURLE_OK && !m_ownFailure) {
        const int status = httpStatus();
        char* location = nullptr;
        m_curl->easy_getinfo(m_easy, CURLINFO_REDIRECT_URL, &location);
        const bool redirect =
            status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
        if (redirect && location && *location) {
            const QString next = QString::fromUtf8(location);
            const QString from = QUrl(m_url).scheme().toLower();
            const QString to = QUrl(next).scheme().toLower();
            if (to != QLatin1String("https") && (to != QLatin1String("http") || from != to)) {
                finish(Failure{InsecureRedirectError, NetTexts::RedirectRefused.arg(next)});
                return;
            }
            if (++m_redirects > MaxRedirects) {
                finish(
                    Failure{TooManyRedirectsError, NetTexts::TooManyRedirects.arg(MaxRedirects)});
                return;
            }
            start(next); // drops the transfer that called us
            return;
        }
    }
    finish(resultOf(code));
}

void HttpGet::finish(const Result& result)
{
    const Done done = std::exchange(m_done, nullptr);
    done(result); // may drop us
}

HttpGet::~HttpGet()
{
    m_transfer.reset();
    if (m_easy)
        m_curl->easy_cleanup(m_easy);
}

int HttpGet::httpStatus() const
{
    long status = 0;
    m_curl->easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
    return int(status);
}

size_t HttpGet::onHeader(char* data, size_t size, size_t count, void* self)
{
    // "HTTP/1.1 404 Not Found" begins every answer, redirects included; the
    // reason phrase may be missing, and HTTP/2 never has one.
    const QByteArray line = QByteArray(data, qsizetype(size * count)).trimmed();
    if (line.startsWith("HTTP/")) {
        const qsizetype codeStart = line.indexOf(' ');
        const qsizetype reasonStart = codeStart < 0 ? -1 : line.indexOf(' ', codeStart + 1);
        static_cast<HttpGet*>(self)->m_reason =
            reasonStart < 0 ? QByteArray() : line.mid(reasonStart + 1).trimmed();
    }
    return size * count;
}

size_t HttpGet::onBody(char* data, size_t size, size_t count, void* self)
{
    HttpGet& get = *static_cast<HttpGet*>(self);
    const size_t bytes = size * count;
    // Of an error answer only its status is used.
    if (get.httpStatus() >= 300)
        return bytes;
    if (get.m_body.size() + qint64(bytes) > get.m_options.maxBodyBytes) {
        get.m_body.clear();
        get.m_ownFailure = Failure{TooLargeError, get.descriptionOf(CURLE_FILESIZE_EXCEEDED)};
        return 0; // anything but the count given ends the transfer
    }
    get.m_body.append(data, qsizetype(bytes));
    return bytes;
}

int HttpGet::numberOf(CURLcode code) const
{
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        return TimedOutError;
    case CURLE_PARTIAL_FILE:
        return CutShortError;
    case CURLE_FILESIZE_EXCEEDED:
        return TooLargeError;
    case CURLE_COULDNT_RESOLVE_HOST:
        return HostNotFoundError;
    case CURLE_COULDNT_RESOLVE_PROXY:
        return ProxyNotFoundError;
    case CURLE_COULDNT_CONNECT: {
        long osError = 0;
        m_curl->easy_getinfo(m_easy, CURLINFO_OS_ERRNO, &osError);
        return osError == ECONNREFUSED ? ConnectionRefusedError : UnknownNetworkError;
    }
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        return RemoteHostClosedError;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
        return SslHandshakeFailedError;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
        return ProtocolUnknownError;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
        return ProtocolFailure;
    default:
        return UnknownNetworkError;
    }
}

QString HttpGet::descriptionOf(CURLcode code) const
{
    if (code == CURLE_OPERATION_TIMEDOUT)
        return NetTexts::TimedOut.arg(m_options.timeoutMs / 1000.0);
    if (code == CURLE_PARTIAL_FILE)
        return NetTexts::CutShort;
    if (code == CURLE_FILESIZE_EXCEEDED)
        return NetTexts::TooLarge.arg(m_options.maxBodyBytes / (1024 * 1024));
    QString text = QString::fromLocal8Bit(m_errorText);
    if (text.isEmpty())
        text = QString::fromLatin1(m_curl->easy_strerror(code));
    long osError = 0;
    m_curl->easy_getinfo(m_easy, CURLINFO_OS_ERRNO, &osError);
    return osError != 0 ? text + QStringLiteral(" (%1)").arg(qt_error_string(int(osError))) : text;
}

HttpGet::Result HttpGet::resultOf(CURLcode code) const
{
    if (m_ownFailure)
        return *m_ownFailure;
    if (code != CURLE_OK)
        return Failure{numberOf(code), descriptionOf(code)};
    const int status = httpStatus();
    if (status >= 300)
        return statusFailure(status, m_reason);
    return m_body;
}
