// Briefcast: the ATIS beside the radar client.
#include "app/session.h"
#include "net/httptextfetcher.h"
#include "net/livefeedlookup.h"
#include "store/inifilestore.h"
#include "store/registrystore.h"
#include "ui/frmmain.h"
#include "ui/qtdesktop.h"
#include "ui/qtdialogs.h"
#include "ui/qtspeaker.h"
#include "ui/singleinstance.h"
#include "ui/uitexts.h"
#include "ui/waitcursorfetcher.h"
#include "ui/windowform.h"
#ifdef Q_OS_UNIX
#include "ui/sessionendsignals.h"
#endif
#include "core/texts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <functional>

namespace {
// Runs then() from the event loop once the window has been exposed and
// painted for the first time, or after two seconds where the platform
// never exposes it (a window that starts hidden from view).
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QWidget& window, std::function<void()> then)
        : QObject(&window), m_then(std::move(then))
    {
        window.windowHandle()->installEventFilter(this);
        QTimer::singleShot(2000, this, [this] { run(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The window paints itself while it handles this event; then()
        // comes after.
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            QTimer::singleShot(0, this, [this] { run(); });
        return false;
    }

private:
    void run()
    {
        if (!m_then)
            return;
        std::function<void()> then = std::move(m_then);
        m_then = nullptr;
        deleteLater();
        then();
    }

    std::function<void()> m_then;
};

// The translation of the system's language: Briefcast's own from
// share/briefcast/translations beside the bin folder, where the build and the
// package put it as they put the manual, and Qt's own for its dialogs. The
// texts are read through them each time they are shown.
void installTranslations(QCoreApplication& app)
{
    const QString own = QDir(QCoreApplication::applicationDirPath())
                            .absoluteFilePath(QStringLiteral("../share/briefcast/translations"));
    for (const auto& [name, folder] :
         {std::pair{QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
          std::pair{QStringLiteral("briefcast"), own}}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QLocale(), name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
    }
}

struct Options
{
    QCommandLineOption help;
    QCommandLineOption version;
};
// The command line: --help and --version, described in the language of the
// translations installed.
Options describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(UiTexts::CommandLineDescription());
    return {parser.addHelpOption(), parser.addVersionOption()};
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(Texts::AppTitle);
    QCoreApplication::setApplicationVersion(QStringLiteral(BRIEFCAST_VERSION));
    // --help and --version answer before the window system starts, so that
    // they work in a terminal without a display, and read no setting. Qt's
    // own options (-platform, -style) are known only once QApplication has
    // taken them out: with one of them, the answer comes from there.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser asked;
    const Options options = describe(asked);
    if (asked.parse(arguments) && (asked.isSet(options.help) || asked.isSet(options.version))) {
        QCoreApplication answering(argc, argv);
        installTranslations(answering);
        QCommandLineParser parser;
        describe(parser);
        parser.process(answering); // prints the answer and ends the program
    }
    QApplication app(argc, argv);
    installTranslations(app);
    // An option it does not know ends the program with a message.
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    // The desktop finds the menu entry (briefcast.desktop) and its icon by this name.
    QApplication::setDesktopFileName(QStringLiteral("briefcast"));
    // The window decides when the program ends: after its settings are saved.
    QApplication::setQuitOnLastWindowClosed(false);

#ifdef Q_OS_WIN
    RegistryStore store;
#else
    IniFileStore store(IniFileStore::userFile());
#endif
    // A program already running for these settings shows its window instead.
    SingleInstance instance(store.fileName());
    switch (instance.start()) {
    case SingleInstance::Start::First:
        break;
    case SingleInstance::Start::HandedOver:
        return 0;
    case SingleInstance::Start::NotAnswering:
        QMessageBox::warning(nullptr, Texts::ErrorTitle, UiTexts::AlreadyRunning());
        return 1;
    }
    // The session over the real services, shown in the window.
    HttpTextFetcher fetcher;
    WaitCursorFetcher fetcherShowingWait(fetcher);
    LiveFeedLookup lookup;
    QtSpeaker speaker;
    frmMain window;
    QtDialogs dialogs(&window);
    QtDesktop desktop(&window);
    Session session({.store = store,
                     .fetcher = fetcherShowingWait,
                     .dialogs = dialogs,
                     .desktop = desktop,
                     .speaker = speaker,
                     .lookup = &lookup,
                     .abortFetch = [&fetcher] { fetcher.abort(); }},
                    window.form(), window.form());
    window.attach(session, desktop);
    QObject::connect(&window, &frmMain::closed, &app,
                     [](bool saved) { QCoreApplication::exit(saved ? 0 : 1); });
    QObject::connect(&instance, &SingleInstance::showRequested, &window, [&window] {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.show();
        window.raise();
        window.activateWindow();
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager& manager) {
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
    // The controller sees the window with its settings before the network
    // is waited on: the weather server discovery starts once it is painted.
    window.beginLoad();
    window.show();
    new AfterFirstPaint(window, [&window] {
        // For start-up measurements: end once the window is mapped and painted.
        if (qEnvironmentVariableIsSet("BRIEFCAST_QUIT_WHEN_SHOWN")) {
            QCoreApplication::exit(0);
            return;
        }
        // Drawn from its SVG, the icon costs a tenth of the start-up: the
        // window shows first, the desktop takes the icon a moment later.
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/briefcast.svg")));
        // Without a weather server the tool cannot work: end without saving.
        if (!window.finishLoad()) {
            QCoreApplication::exit(1);
            return;
        }
        // For start-up measurements: end as soon as the window is idle,
        // without the close request and its saving.
        if (qEnvironmentVariableIsSet("BRIEFCAST_QUIT_WHEN_IDLE"))
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    });
    return app.exec();
}
