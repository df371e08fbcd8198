#pragma once

#include <QString>
#include <functional>

class AtisForm;
class Dialogs;
class TextFetcher;
struct SessionState;

// Where the network publishes the list of its data servers, unless
// BRIEFCAST_STATUS_URL names another status file (a local one for practice).
QString StatusFileURL();

inline const QString MetarServerListPattern = QStringLiteral("^metar0=(http.+)$");

// A single-precision draw r with 0 <= r < 1.
using RandomDraw = std::function<float()>;
float SystemRandomDraw();

// Reads the status file, picks one of its METAR servers at random (every
// listed entry equally likely) and keeps it in state.MetarServerURL. Shows
// its progress in txtATIS and leaves it empty. Returns false after telling
// the user, when no server was found or the status file could not be
// retrieved: the program cannot work and must end without saving.
bool DiscoverMetarServer(TextFetcher& fetcher, AtisForm& form, Dialogs& dialogs, SessionState& state,
                         const RandomDraw& draw = SystemRandomDraw);
