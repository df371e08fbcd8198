#include "net/httptextfetcher.h"

#include "net/httpget.h"
#include "net/nettexts.h"

#include <QEventLoop>

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

    QEventLoop loop;
    // What stands when the wait ends otherwise: aborted, or the application
    // quits around the loop.
    Result result = Failure{HttpGet::CancelledError, NetTexts::Cancelled};
    HttpGet get(url, {m_timeoutMs, MaxBodyBytes, m_caFile}, [&](const HttpGet::Result& reply) {
        if (const QByteArray* body = std::get_if<QByteArray>(&reply))
            result = QString::fromUtf8(*body);
        else
            result = std::get<Failure>(reply);
        loop.quit();
    });
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
    return result;
}
