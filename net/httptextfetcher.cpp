#include "net/httptextfetcher.h"

#include "net/curltransfer.h"
#include "net/httpstatustexts.h"
#include "net/nettexts.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkReply>
#include <cerrno>
#include <optional>

namespace {
struct Reply
{
    CURL* easy = nullptr;
    QByteArray body;
    QByteArray reason; // of the last answer's status line
    std::optional<Failure> ownFailure;
    char errorText[CURL_ERROR_SIZE] = {};
};

long statusOf(CURL* easy)
{
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

size_t onHeader(char* data, size_t size, size_t count, void* reply)
{
    // "HTTP/1.1 404 Not Found" begins every answer, redirects included; the
    // reason phrase may be missing, and HTTP/2 never has one.
    const QByteArray line = QByteArray(data, qsizetype(size * count)).trimmed();
    if (line.startsWith("HTTP/")) {
        const qsizetype codeStart = line.indexOf(' ');
        const qsizetype reasonStart = codeStart < 0 ? -1 : line.indexOf(' ', codeStart + 1);
        static_cast<Reply*>(reply)->reason =
            reasonStart < 0 ? QByteArray() : line.mid(reasonStart + 1).trimmed();
    }
    return size * count;
}

size_t onBody(char* data, size_t size, size_t count, void* replyData)
{
    Reply& reply = *static_cast<Reply*>(replyData);
    const size_t bytes = size * count;
    // Of an error answer only its status is used.
    if (statusOf(reply.easy) >= 300)
        return bytes;
    if (reply.body.size() + qint64(bytes) > HttpTextFetcher::MaxBodyBytes) {
        reply.body.clear();
        reply.ownFailure = Failure{HttpTextFetcher::TooLargeErrorNumber, NetTexts::TooLarge};
        return 0; // anything but the count given ends the transfer
    }
    reply.body.append(data, qsizetype(bytes));
    return bytes;
}

// libcurl's results in QNetworkReply's numbers, or our own.
int numberOf(CURLcode code, CURL* easy)
{
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        return HttpTextFetcher::TimedOutErrorNumber;
    case CURLE_PARTIAL_FILE:
        return HttpTextFetcher::CutShortErrorNumber;
    case CURLE_FILESIZE_EXCEEDED:
        return HttpTextFetcher::TooLargeErrorNumber;
    case CURLE_COULDNT_RESOLVE_HOST:
        return QNetworkReply::HostNotFoundError;
    case CURLE_COULDNT_RESOLVE_PROXY:
        return QNetworkReply::ProxyNotFoundError;
    case CURLE_COULDNT_CONNECT: {
        long osError = 0;
        curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osError);
        return osError == ECONNREFUSED ? QNetworkReply::ConnectionRefusedError
                                       : QNetworkReply::UnknownNetworkError;
    }
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        return QNetworkReply::RemoteHostClosedError;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
        return QNetworkReply::SslHandshakeFailedError;
    case CURLE_TOO_MANY_REDIRECTS:
        return QNetworkReply::TooManyRedirectsError;
    case CURLE_UNSUPPORTED_PROTOCOL: {
        long redirects = 0;
        curl_easy_getinfo(easy, CURLINFO_REDIRECT_COUNT, &redirects);
        // A redirect to a scheme we do not follow (https to http).
        return redirects > 0 ? QNetworkReply::InsecureRedirectError
                             : QNetworkReply::ProtocolUnknownError;
    }
    case CURLE_URL_MALFORMAT:
        return QNetworkReply::ProtocolUnknownError;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
        return QNetworkReply::ProtocolFailure;
    default:
        return QNetworkReply::UnknownNetworkError;
    }
}

QString descriptionOf(CURLcode code, const Reply& reply, int timeoutMs)
{
    if (code == CURLE_OPERATION_TIMEDOUT)
        return NetTexts::TimedOut.arg(timeoutMs / 1000.0);
    if (code == CURLE_PARTIAL_FILE)
        return NetTexts::CutShort;
    if (code == CURLE_FILESIZE_EXCEEDED)
        return NetTexts::TooLarge;
    QString text = QString::fromLocal8Bit(reply.errorText);
    if (text.isEmpty())
        text = QString::fromLatin1(curl_easy_strerror(code));
    long osError = 0;
    curl_easy_getinfo(reply.easy, CURLINFO_OS_ERRNO, &osError);
    return osError != 0 ? text + QStringLiteral(" (%1)").arg(qt_error_string(int(osError))) : text;
}

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

// libcurl is set up once per process, before its first use.
void initialiseCurl()
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    Q_UNUSED(initialised);
}
} // namespace

HttpTextFetcher::HttpTextFetcher()
{
    initialiseCurl();
}

HttpTextFetcher::~HttpTextFetcher()
{
    abort();
}

void HttpTextFetcher::abort()
{
    if (!m_loop)
        return;
    m_loop->quit();
}

TextFetcher::Result HttpTextFetcher::fetch(const QString& url)
{
    if (busy())
        return Failure{BusyErrorNumber, NetTexts::StillExecuting};

    Reply reply;
    reply.easy = curl_easy_init();
    CURL* easy = reply.easy;
    const QByteArray address = url.toUtf8();
    const QByteArray caFile = m_caFile.toLocal8Bit();
    curl_easy_setopt(easy, CURLOPT_URL, address.constData());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    // Redirects are followed, but never from https to http.
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, long(MaxRedirects));
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR,
                     url.startsWith(QLatin1String("https:"), Qt::CaseInsensitive) ? "https"
                                                                                  : "http,https");
    // Every encoding libcurl can inflate; the 1 MiB cap counts inflated bytes.
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    // No proxy from the environment: the network's servers are reached directly.
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    // Some servers refuse a request that names no client.
    const QByteArray userAgent =
        (QCoreApplication::applicationName() + u'/' + QCoreApplication::applicationVersion())
            .toUtf8();
    curl_easy_setopt(easy, CURLOPT_USERAGENT, userAgent.constData());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, long(m_timeoutMs));
    if (!caFile.isEmpty())
        curl_easy_setopt(easy, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, reply.errorText);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &reply);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &reply);

    QEventLoop loop;
    std::optional<CURLcode> code;
    Result result;
    {
        CurlTransfer transfer(easy, [&](CURLcode done) {
            code = done;
            loop.quit();
        });
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }

    const int status = int(statusOf(easy));
    if (reply.ownFailure)
        result = *reply.ownFailure;
    else if (!code) // aborted, or the application quits around the loop
        result = Failure{CancelledErrorNumber, NetTexts::Cancelled};
    else if (*code != CURLE_OK)
        result = Failure{numberOf(*code, easy), descriptionOf(*code, reply, m_timeoutMs)};
    else if (status >= 300)
        result = statusFailure(status, reply.reason);
    else
        result = QString::fromUtf8(reply.body);
    curl_easy_cleanup(easy);
    return result;
}
