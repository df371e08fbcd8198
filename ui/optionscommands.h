#pragma once

#include <QString>
#include <QUrl>

class AtisForm;
class Desktop;
class Dialogs;
struct SessionState;

// "ATIS.txt Location": asks for the radar client's atis.txt and keeps the
// path when the chosen name ends in atis.txt and its folder exists; the file
// itself need not exist yet. A cancelled dialog changes nothing and says
// nothing.
void ChooseATISFileLocation(Dialogs& dialogs, SessionState& state);

// "Update ATIS.txt Automatically" just ticked. Where the folder of atis.txt
// does not exist (a fresh install with no radar client's folder yet), the
// location is asked for first, and the tick stays only once the file's
// folder exists: otherwise every cycle would end in a write error.
void UpdateATISFileTicked(Dialogs& dialogs, SessionState& state, AtisForm& form);

// "1.3.1", or "1.3" when the revision is 0.
QString VersionText(int major, int minor, int revision);
QString AboutText(const QString& version, const QString& manualLocation);
void ShowAbout(Dialogs& dialogs, const QUrl& manual);

// The user manual beside the program: share/briefcast/manual.html next to
// the bin folder, in the build tree and under the install prefix alike.
QUrl ManualUrl();
// Opens the manual in the desktop's browser; tells the user when that failed.
void OpenDocumentation(Desktop& desktop, Dialogs& dialogs, const QUrl& manual);
