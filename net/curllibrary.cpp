#include "net/curllibrary.h"

#include "net/nettexts.h"

#include <QLibrary>
#include <optional>

namespace {
struct Loaded
{
    std::optional<CurlLibrary> library;
    QString reason;
};

template <class F> bool resolve(QLibrary& library, F& function, const char* name)
{
    function = reinterpret_cast<F>(library.resolve(name));
    return function != nullptr;
}

Loaded load()
{
#ifdef Q_OS_WIN
    QLibrary library(QStringLiteral("libcurl"));
#else
    QLibrary library(QStringLiteral("curl"), 4);
#endif
    if (!library.load())
        return {std::nullopt, library.errorString()};
    CurlLibrary curl{};
    decltype(&curl_global_init) global_init = nullptr;
    const bool resolved = resolve(library, global_init, "curl_global_init") &&
                          resolve(library, curl.easy_init, "curl_easy_init") &&
                          resolve(library, curl.easy_setopt, "curl_easy_setopt") &&
                          resolve(library, curl.easy_getinfo, "curl_easy_getinfo") &&
                          resolve(library, curl.easy_strerror, "curl_easy_strerror") &&
                          resolve(library, curl.easy_cleanup, "curl_easy_cleanup") &&
                          resolve(library, curl.multi_init, "curl_multi_init") &&
                          resolve(library, curl.multi_setopt, "curl_multi_setopt") &&
                          resolve(library, curl.multi_add_handle, "curl_multi_add_handle") &&
                          resolve(library, curl.multi_remove_handle, "curl_multi_remove_handle") &&
                          resolve(library, curl.multi_socket_action, "curl_multi_socket_action") &&
                          resolve(library, curl.multi_info_read, "curl_multi_info_read") &&
                          resolve(library, curl.multi_cleanup, "curl_multi_cleanup");
    if (!resolved)
        return {std::nullopt, library.errorString()};
    if (global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        return {std::nullopt, NetTexts::GlobalInitFailed};
    // Loaded for the rest of the process: QLibrary's object may go.
    return {curl, {}};
}
} // namespace

const CurlLibrary* Curl(QString* reason)
{
    static const Loaded loaded = load();
    if (reason)
        *reason = loaded.reason;
    return loaded.library ? &*loaded.library : nullptr;
}
