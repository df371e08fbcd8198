// Briefcast: the ATIS beside the radar client.
#include "frmmain.h"
#include "httptextfetcher.h"
#include "livefeedlookup.h"
#include "qsettingsstore.h"
#ifdef Q_OS_UNIX
#include "sessionendsignals.h"
#endif
#include "texts.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(Texts::AppTitle);
    QApplication::setApplicationVersion(QStringLiteral(BRIEFCAST_VERSION));
    // The window decides when the program ends: after its settings are saved.
    QApplication::setQuitOnLastWindowClosed(false);

    QSettingsStore store;
    HttpTextFetcher fetcher;
    LiveFeedLookup lookup;
    frmMain window({.store = store,
                    .fetcher = fetcher,
                    .abortFetch = [&fetcher] { fetcher.abort(); },
                    .unloaded = [](bool saved) { QCoreApplication::exit(saved ? 0 : 1); },
                    .lookup = &lookup});
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager& manager) {
        if (!window.sessionEnding(manager.allowsInteraction()))
            manager.cancel();
    });
#ifdef Q_OS_UNIX
    // A logout without a session manager ends the session with a signal:
    // save the settings as a session end that may not ask does.
    SessionEndSignals endSignals;
    QObject::connect(&endSignals, &SessionEndSignals::received, &window,
                     [&window] { window.sessionEnding(false); });
#endif
    window.show();
    // Without a weather server the tool cannot work: end without saving.
    if (!window.load())
        return 1;
    // For start-up measurements: end as soon as the window is idle, without
    // the close request and its saving.
    if (qEnvironmentVariableIsSet("BRIEFCAST_QUIT_WHEN_IDLE"))
        QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
