#pragma once

#include "core/failure.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class TextFetcher;

// Where the network publishes the list of its data servers, unless
// BRIEFCAST_STATUS_URL names another status file (a local one for practice).
QString StatusFileURL();

inline const QString MetarServerListPattern = QStringLiteral("^metar0=(http.+)$");
// A status file that names a new location for itself.
inline const QString StatusMovedPattern = QStringLiteral("^moveto0=(http.+)$");
// How many moves of the status file are followed before its content is used.
inline constexpr int MaxStatusMoves = 3;

// The JSON form of the network's status, beside the text form: the same
// address with its last path segment status.txt replaced by status.json.
QString JsonStatusURL(const QString& statusFileUrl);

// The addresses the JSON status form lists: its "metar" servers and the
// live data feed ("data" / "v3"). Entries that are not http addresses are
// left out.
struct JsonStatus
{
    QStringList metar;
    QStringList dataFeed;
};
std::optional<JsonStatus> ParseJsonStatus(const QString& text);

// A single-precision draw r with 0 <= r < 1.
using RandomDraw = std::function<float()>;
float SystemRandomDraw();

// What the network's status files list: its METAR servers, and why the
// text file could not be had. The text file is read first (following its
// moveto0= line a few times, never from https to http); when it cannot be
// had or lists no server, the JSON form is asked the same way.
struct MetarServerListing
{
    QStringList servers;                // empty when neither form lists one
    std::optional<Failure> textFailure; // the text file's, when it failed
};
// textFileRead is told as soon as the text file has come (not when it failed).
MetarServerListing ReadMetarServerListing(TextFetcher& fetcher,
                                          const std::function<void()>& textFileRead = {});
// One of the servers at random, every entry equally likely.
QString ChooseMetarServer(const QStringList& servers, const RandomDraw& draw);
