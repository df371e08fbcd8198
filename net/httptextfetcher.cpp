#include "httptextfetcher.h"

#include "nettexts.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <optional>

HttpTextFetcher::HttpTextFetcher() = default;

HttpTextFetcher::~HttpTextFetcher()
{
    abort();
}

void HttpTextFetcher::abort()
{
    if (!m_loop)
        return;
    m_cancelled = true;
    if (m_reply)
        m_reply->abort();
    m_loop->quit();
}

TextFetcher::Result HttpTextFetcher::fetch(const QString& url)
{
    if (busy())
        return Failure{BusyErrorNumber, NetTexts::StillExecuting};

    // Redirects are followed, but never from https to http.
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    if (!m_manager)
        m_manager = std::make_unique<QNetworkAccessManager>();
    QNetworkReply* reply = m_manager->get(request);
    // Read as the bytes come so that Qt's own buffer stays small, and stop
    // as soon as the body is known to be too large.
    reply->setReadBufferSize(64 * 1024);
    m_reply = reply;

    QEventLoop loop;
    QByteArray body;
    std::optional<Failure> ownFailure;
    auto refuse = [&](Failure failure) {
        if (!ownFailure)
            ownFailure = std::move(failure);
        reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status < 300 && length.isValid() && length.toLongLong() > MaxBodyBytes)
            refuse({TooLargeErrorNumber, NetTexts::TooLarge});
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        body += reply->readAll();
        if (body.size() > MaxBodyBytes) {
            body.clear();
            refuse({TooLargeErrorNumber, NetTexts::TooLarge});
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, [&] {
        refuse({TimedOutErrorNumber, NetTexts::TimedOut.arg(m_timeoutMs / 1000.0)});
    });
    timeout.start(m_timeoutMs);

    m_cancelled = false;
    m_loop = &loop;
    if (!reply->isFinished())
        loop.exec();
    m_loop = nullptr;
    // The loop also ends when the application quits around it.
    if (!reply->isFinished()) {
        m_cancelled = true;
        reply->abort();
    }

    Result result;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (ownFailure)
        result = *ownFailure;
    else if (m_cancelled)
        result = Failure{CancelledErrorNumber, NetTexts::Cancelled};
    else if (status >= 400)
        result = Failure{status, reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()};
    else if (reply->error() != QNetworkReply::NoError)
        result = Failure{int(reply->error()), reply->errorString()};
    else
        result = QString::fromUtf8(body + reply->readAll());
    m_reply = nullptr;
    reply->deleteLater();
    return result;
}
