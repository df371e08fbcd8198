#include "net/curltransfer.h"

#include <QSocketNotifier>

CurlTransfer::CurlTransfer(CURL* easy, std::function<void(CURLcode)> done)
    : m_multi(curl_multi_init()), m_easy(easy), m_done(std::move(done))
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { drive(CURL_SOCKET_TIMEOUT, 0); });
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlTransfer::onSocket);
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlTransfer::onTimer);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
    // Adding the handle asks for a wake-up at once, which starts the transfer.
    curl_multi_add_handle(m_multi, m_easy);
}

CurlTransfer::~CurlTransfer()
{
    curl_multi_remove_handle(m_multi, m_easy);
    curl_multi_cleanup(m_multi);
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
    curl_multi_socket_action(m_multi, socket, events, &running);
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
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
