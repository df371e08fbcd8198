#pragma once

#include "serve/atisquery.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <variant>

// What a request's head may hold before Qt's HTTP server reads it.
struct HeadLimits
{
    // The request target as the caller sent it.
    qint64 maxTargetBytes = 8 * 1024;
    int maxHeaderFields = 100;
    // The port served on: a target in absolute form must name it.
    quint16 port = 0;
};

// Looks at a whole request head (the request line, the header lines and the
// blank line after them) the way a web server that division generators run
// on reads it, and gives it back in the form Qt 6.4's HTTP server parses, or
// the refusal to answer with. Qt closes the connection without a word on a
// line it cannot split into three words; here the protocol is the line's
// last word and the target everything between the method and it, its blanks
// sent as %20 (a radar client puts the METAR into its URL as it is).
std::variant<QByteArray, Refusal> ExamineRequestHead(QByteArrayView head, const HeadLimits& limits);

// Whether a Host header's value, or the authority of a target in absolute
// form, names this machine's loopback (127.0.0.1, localhost or [::1], in any
// letter case) with the port; a name without a port means port 80.
bool IsLoopbackAuthority(QByteArrayView authority, quint16 port);

// Whether a browser says the request comes from a web page of another site:
// an Origin other than this machine's loopback (on any port), or
// Sec-Fetch-Site cross-site or same-site. Such a page cannot read the answer
// but could make Briefcast fetch a METAR for each request; radar and ATIS
// clients send neither header.
bool FromAnotherSite(const QList<QPair<QByteArray, QByteArray>>& headers);
