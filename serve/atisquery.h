#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

// A request the generator refuses: an HTTP status and a one-line reason.
struct Refusal
{
    int status = 400;
    QString reason;
};

// What a radar client's ATIS-maker call or an ATIS client's external
// generator asks for, with the division servers' parameter names.
struct AtisQuery
{
    enum class Format
    {
        Text,
        Voice,
        Json
    };

    QString metar;           // as sent, empty when absent
    QString icao;            // in capitals, empty when absent
    QString profile;         // empty: the first profile for the airport
    QString informationCode; // the code's word, e.g. DELTA
    // The runways the caller names; no value when absent or empty. When it
    // names any, they are the only ones of the ATIS.
    std::optional<QStringList> arrival;
    std::optional<QStringList> departure;
    std::optional<bool> visual;
    std::optional<bool> lahso;
    QString approach; // apptype
    QString remarks;
    Format format = Format::Text;
};

// Reads the query part of the target, percent-encoded (UTF-8) and with "+"
// for a blank. Parameters it does not know are left alone (division
// servers take flags of their own); of a parameter given twice the first
// counts. Runways may be separated by commas, colons, semicolons, slashes
// or blanks; the letter is one letter A to Z or its word, in any case.
std::variant<AtisQuery, Refusal> ParseAtisQuery(const QString& encodedQuery);

// The addresses a controller pastes, for the generator on this port: the
// radar client's ATIS-maker URL, whose functions the radar client fills for
// each ATIS connection, and the ATIS client's external generator URL (add
// "&format=voice" for its voice ATIS URL).
QString AtisMakerUrl(quint16 port);
QString ExternalGeneratorUrl(quint16 port);
