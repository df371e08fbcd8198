#pragma once

#include <QString>
#include <QUrl>

class Desktop;
class Dialogs;

// "1.3.1", or "1.3" when the revision is 0.
QString VersionText(int major, int minor, int revision);
QString AboutText(const QString& version, const QString& manualLocation);
void ShowAbout(Dialogs& dialogs, const QUrl& manual);

// The user manual beside the program: share/briefcast/manual.html next to
// the bin folder, in the build tree and under the install prefix alike.
QUrl ManualUrl();
// Opens the manual in the desktop's browser; tells the user when that failed.
void OpenDocumentation(Desktop& desktop, Dialogs& dialogs, const QUrl& manual);
