#include "ui/optionscommands.h"

#include "core/desktop.h"
#include "core/dialogs.h"
#include "ui/uitexts.h"

#include <QCoreApplication>
#include <QDir>

QString VersionText(int major, int minor, int revision)
{
    QString text = QString::number(major) + '.' + QString::number(minor);
    if (revision > 0)
        text += '.' + QString::number(revision);
    return text;
}

QString AboutText(const QString& version, const QString& manualLocation)
{
    return QStringList{Texts::AppTitle, QString(),         UiTexts::Version() + version,
                       QString(),       UiTexts::Credit(), QString(),
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
                        Texts::ErrorTitle, Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
}
