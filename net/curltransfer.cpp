#include "net/curltransfer.h"

#include <QSocketNotifier>

CurlTransfer::CurlTransfer(const CurlLibrary& curl, CURL* easy, std::function<void(CURLcode)> done)
    : m_curl(curl), m_multi(curl.multi_init()), m_easy(easy), m_done(std::move(done))
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { drive(CURL_SOCKET_TIMEOUT, 0); });
    m_curl.multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlTransfer::onSocket);
    m_curl.multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
    m_curl.multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlTransfer::onTimer);
    m_curl.multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
    // Adding the handle asks for a wake-up at once, which starts the transfer.
    m_curl.multi_add_handle(m_multi, m_easy);
}

CurlTransfer::~CurlTransfer()
{
    m_curl.multi_remove_handle(m_multi, m_easy);
    m_curl.multi_cleanup(m_multi);
}

int CurlTransfer::onSocket(CURL*, curl_socket_t socket, int what, void* self, void*)
{
    static_cast<CurlTransfer*>(self)->watch(socket, what);
    return 0;
}

int CurlTransfer::onTimer(CURLM*, long timeoutMs, void* self)
{
    QTimer& timer = static_cast<CurlTransfer*>(self)->m_timer;
    if (timeoutMs < 0)
        timer.stop();
    else
        timer.start(int(qMin<long>(timeoutMs, std::numeric_limits<int>::max())));
    return 0;
}

void CurlTransfer::watch(curl_socket_t socket, int what)
{
    Watch& watch = m_watches[socket];
    const auto want = [&](std::unique_ptr<QSocketNotifier>& notifier, QSocketNotifier::Type type,
                          int events, bool wanted) {
        if (wanted && !notifier) {
            notifier = std::make_unique<QSocketNotifier>(socket, type);
            QObject::connect(notifier.get(), &QSocketNotifier::activated,
                             [this, socket, events] { drive(socket, events); });
        }
        if (notifier)
            notifier->setEnabled(wanted);
    };
    want(watch.read, QSocketNotifier::Read, CURL_CSELECT_IN, what & CURL_POLL_IN);
    want(watch.write, QSocketNotifier::Write, CURL_CSELECT_OUT, what & CURL_POLL_OUT);
}

void CurlTransfer::drive(curl_socket_t socket, int events)
{
    int running = 0;
    m_curl.multi_socket_action(m_multi, socket, events, &running);
    int queued = 0;
    while (CURLMsg* message = m_curl.multi_info_read(m_multi, &queued)) {
        if (message->msg == CURLMSG_DONE && m_done) {
            // Once only, out of libcurl's and the notifier's calls; dropping
            // the timer with us drops the call.
            QMetaObject::invokeMethod(
                &m_timer,
                [done = std::exchange(m_done, nullptr), result = message->data.result] {
                    done(result);
                },
                Qt::QueuedConnection);
            return;
        }
    }
}
