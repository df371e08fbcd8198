#pragma once

#include "core/texts.h"

// Texts of the weather data access that the user sees.
namespace NetTexts {
using Texts::UserText;
inline constexpr UserText StillExecuting{
    QT_TRANSLATE_NOOP("Texts", "Still executing last request")};
inline constexpr UserText TimedOut{
    QT_TRANSLATE_NOOP("Texts", "The server did not answer within %1 seconds")};
// %1: the cap in MiB
inline constexpr UserText TooLarge{
    QT_TRANSLATE_NOOP("Texts", "The reply is larger than %1 MiB and was refused")};
inline constexpr UserText Cancelled{QT_TRANSLATE_NOOP("Texts", "The request was cancelled")};
// %1: why the library could not be loaded (Qt's words, or the next one)
inline constexpr UserText LibraryMissing{
    QT_TRANSLATE_NOOP("Texts", "The HTTP library libcurl could not be loaded: %1")};
inline constexpr UserText GlobalInitFailed{QT_TRANSLATE_NOOP("Texts", "curl_global_init failed")};
inline constexpr UserText CutShort{
    QT_TRANSLATE_NOOP("Texts", "The connection closed before the whole reply had arrived")};
// %1: the status's reason phrase, such as "Moved Permanently"
inline constexpr UserText RedirectWithoutLocation{
    QT_TRANSLATE_NOOP("Texts", "%1, but the server named no new address")};
// %1: the address redirected to
inline constexpr UserText RedirectRefused{QT_TRANSLATE_NOOP(
    "Texts", "The redirect to %1 was refused: redirects go only to http or https addresses, "
             "and never from https to http")};
// %1: how many are followed
inline constexpr UserText TooManyRedirects{
    QT_TRANSLATE_NOOP("Texts", "More than %1 redirects in a row")};
} // namespace NetTexts
