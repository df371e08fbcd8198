#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class AtisForm;
class Dialogs;
class TextFetcher;
struct SessionState;

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

// Reads the status file (following its moveto0= line a few times, never
// from https to http), picks one of its METAR servers at random (every
// listed entry equally likely) and keeps it in state.MetarServerURL. When
// the text file cannot be had or lists no server, the JSON form is asked
// the same way. Shows its progress in txtATIS and leaves it empty. Returns
// false after telling the user, with the text file's failure, when neither
// form gave a server: the program cannot work and must end without saving.
bool DiscoverMetarServer(TextFetcher& fetcher, AtisForm& form, Dialogs& dialogs,
                         SessionState& state, const RandomDraw& draw = SystemRandomDraw);
