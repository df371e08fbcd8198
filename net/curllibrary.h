#pragma once

#include <QString>
#include <curl/curl.h>

// libcurl's functions that the requests use, from the library loaded at the
// first request rather than with the program: libcurl brings some thirty
// libraries (TLS, Kerberos, LDAP, SSH) whose loading would cost the window
// about 6 MiB and a tenth of its start-up before its first paint.
struct CurlLibrary
{
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_easy_strerror) easy_strerror;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_multi_init) multi_init;
    decltype(&curl_multi_setopt) multi_setopt;
    decltype(&curl_multi_add_handle) multi_add_handle;
    decltype(&curl_multi_remove_handle) multi_remove_handle;
    decltype(&curl_multi_socket_action) multi_socket_action;
    decltype(&curl_multi_info_read) multi_info_read;
    decltype(&curl_multi_cleanup) multi_cleanup;
};

// The library, loaded and set up (curl_global_init) at the first call, once
// per process; null when it cannot be loaded, and then why in *reason.
const CurlLibrary* Curl(QString* reason = nullptr);
