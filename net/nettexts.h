#pragma once

#include <QString>

// Texts of the weather data access that the user sees.
namespace NetTexts {
inline const QString StillExecuting = QStringLiteral("Still executing last request");
inline const QString TimedOut = QStringLiteral("The server did not answer within %1 seconds");
// %1: the cap in MiB
inline const QString TooLarge = QStringLiteral("The reply is larger than %1 MiB and was refused");
inline const QString Cancelled = QStringLiteral("The request was cancelled");
// %1: why the library could not be loaded
inline const QString LibraryMissing =
    QStringLiteral("The HTTP library libcurl could not be loaded: %1");
inline const QString CutShort =
    QStringLiteral("The connection closed before the whole reply had arrived");
// %1: the status's reason phrase, such as "Moved Permanently"
inline const QString RedirectWithoutLocation =
    QStringLiteral("%1, but the server named no new address");
// %1: the address redirected to
inline const QString RedirectRefused =
    QStringLiteral("The redirect to %1 was refused: redirects go only to http or https addresses, "
                   "and never from https to http");
// %1: how many are followed
inline const QString TooManyRedirects = QStringLiteral("More than %1 redirects in a row");
} // namespace NetTexts
