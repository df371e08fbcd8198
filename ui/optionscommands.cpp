#include "ui/optionscommands.h"

#include "core/atisfile.h"
#include "core/atisform.h"
#include "core/desktop.h"
#include "core/dialogs.h"
#include "core/sessionstate.h"
#include "ui/uitexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

void ChooseATISFileLocation(Dialogs& dialogs, SessionState& state)
{
    Dialogs::OpenFileRequest request;
    request.title = UiTexts::SelectAtisFileTitle();
    request.initialFile = state.ATISFilePath;
    request.filters = {{UiTexts::AllFilesFilter(), QStringLiteral("*.*")},
                       {UiTexts::TextFilesFilter(), QStringLiteral("*.txt")}};
    request.selectedFilter = 1;
    request.defaultSuffix = QStringLiteral("txt");
    // The radar client may not have written its file yet: any name in an
    // existing folder will do.
    request.mustExist = false;

    const QString chosen = dialogs.openFile(request);
    if (chosen.isEmpty())
        return;
    if (chosen.right(8).toLower() != QLatin1String("atis.txt")) {
        dialogs.message(UiTexts::SpecifyAtisFile(), UiTexts::ErrorTitle, Dialogs::Icon::Exclamation,
                        Dialogs::Buttons::OK);
        return;
    }
    if (!QFileInfo(chosen).absoluteDir().exists()) {
        dialogs.message(UiTexts::AtisFolderMissing() + QStringLiteral("\r\n\r\n") + chosen,
                        UiTexts::ErrorTitle, Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
        return;
    }
    state.ATISFilePath = chosen;
    dialogs.message(UiTexts::AtisFilePathSet() + QStringLiteral("\r\n\r\n") + chosen,
                    UiTexts::AppTitle, Dialogs::Icon::Information, Dialogs::Buttons::OK);
}

void UpdateATISFileTicked(Dialogs& dialogs, SessionState& state, AtisForm& form)
{
    if (ATISFileFolderExists(state.ATISFilePath))
        return;
    ChooseATISFileLocation(dialogs, state);
    if (!ATISFileFolderExists(state.ATISFilePath))
        form.setUpdateATISFileChecked(false);
}

QString VersionText(int major, int minor, int revision)
{
    QString text = QString::number(major) + '.' + QString::number(minor);
    if (revision > 0)
        text += '.' + QString::number(revision);
    return text;
}

QString AboutText(const QString& version, const QString& manualLocation)
{
    return QStringList{UiTexts::AppTitle, QString(),         UiTexts::Version() + version,
                       QString(),         UiTexts::Credit(), QString(),
                       manualLocation}
        .join(Texts::CrLf);
}

void ShowAbout(Dialogs& dialogs, const QUrl& manual)
{
    dialogs.message(AboutText(VersionText(BRIEFCAST_VERSION_MAJOR, BRIEFCAST_VERSION_MINOR,
                                          BRIEFCAST_VERSION_PATCH),
                              manual.toString()),
                    UiTexts::AboutTitle(), Dialogs::Icon::Information, Dialogs::Buttons::OK);
}

QUrl ManualUrl()
{
    const QDir bin(QCoreApplication::applicationDirPath());
    return QUrl::fromLocalFile(
        QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("../share/briefcast/manual.html"))));
}

void OpenDocumentation(Desktop& desktop, Dialogs& dialogs, const QUrl& manual)
{
    if (!desktop.openUrl(manual))
        dialogs.message(UiTexts::ManualMissing() + QStringLiteral("\r\n\r\n") + manual.toString(),
                        UiTexts::ErrorTitle, Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
}
