#pragma once

#include "core/metar.h"
#include "serve/atisquery.h"
#include "serve/currentatissource.h"
#include "serve/profilesource.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// One answer of the generator, and what the list of requests served shows
// of it.
struct GeneratorReply
{
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QString icao;
    QString informationCode; // the code's word, empty when none
    QString reason;          // of a refusal
    // What the check found in the ATIS answered, whichever form the caller
    // reads; no value for an answer that is no ATIS.
    std::optional<QStringList> findings;
};

// The answer as it goes out: the status line, the header fields and the
// body. One request per connection, never stored by the client, never taken
// for anything but its type, and no header that would let a web page read it.
// An ATIS with findings names them in X-Briefcast-Check, so that a tool that
// reads the plain text or the voice form sees them too.
QByteArray AnswerBytes(const GeneratorReply& reply);

// A refusal: its status and one line of plain text.
GeneratorReply RefusalReply(const Refusal& refusal, const QString& icao = {},
                            const QString& informationCode = {});

// The ATIS a query asks for, from its profile and its decoded METAR, in the
// query's format; a refusal when it would be too long. The caller checked
// that the METAR is the profile's airport's. Its findings are the radar
// client's functions left unfilled and what the ATIS check finds, the
// report's age counted at now (UTC); the JSON form's warnings hold them.
GeneratorReply AtisReply(const AtisQuery& query, const NamedProfile& profile,
                         const DecodedMetar& metar, const QDateTime& now);

// The window's current ATIS as JSON, its age counted at now (UTC).
GeneratorReply CurrentAtisReply(const std::optional<WindowAtis>& atis, const QDateTime& now);
