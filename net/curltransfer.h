#pragma once

#include "net/curllibrary.h"

#include <QTimer>
#include <functional>
#include <map>
#include <memory>

class QSocketNotifier;

// One libcurl transfer driven by the thread's Qt event loop: libcurl names
// the sockets and the wake-up time it waits for, Qt's socket notifiers and a
// timer tell it when they are due. No thread of its own. The easy handle
// stays its owner's; the transfer starts on construction, and done is
// called once with libcurl's result when it has ended, from the event loop
// (the owner may drop the transfer in it), never after the transfer is gone.
class CurlTransfer
{
public:
    CurlTransfer(const CurlLibrary& curl, CURL* easy, std::function<void(CURLcode)> done);
    ~CurlTransfer(); // a transfer still running is dropped
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

private:
    struct Watch
    {
        std::unique_ptr<QSocketNotifier> read;
        std::unique_ptr<QSocketNotifier> write;
    };
    static int onSocket(CURL* easy, curl_socket_t socket, int what, void* self, void* socketData);
    static int onTimer(CURLM* multi, long timeoutMs, void* self);
    void watch(curl_socket_t socket, int what);
    void drive(curl_socket_t socket, int events);

    const CurlLibrary& m_curl;
    CURLM* m_multi = nullptr;
    CURL* m_easy = nullptr;
    std::function<void(CURLcode)> m_done;
    QTimer m_timer;
    // Notifiers are only ever disabled while the transfer runs: libcurl may
    // let a socket go from inside a notifier's own signal.
    std::map<curl_socket_t, Watch> m_watches;
};
