#pragma once

#include "app/session.h"
#include "net/httptextfetcher.h"
#include "store/inifilestore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/fakespeaker.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/temporaryhome.h"
#include "tests/support/testfiles.h"
#include "tools/localwx/localweatherserver.h"
#include "ui/frmmain.h"
#include "ui/qtdialogs.h"
#include "ui/waitcursorfetcher.h"
#include "ui/windowform.h"

#include <QTest>
#include <QtWidgets>
#include <memory>

// The real window over a real settings file in a temporary folder, a real
// weather server on 127.0.0.1, scripted dialogs, desktop and speech engine.
struct UiHarness
{
    TemporaryHome home; // the real home is never touched
    QTemporaryDir dir;
    LocalWeatherServer server;
    IniFileStore store{dir.filePath("Briefcast.conf")};
    HttpTextFetcher fetcher;
    WaitCursorFetcher fetcherShowingWait{fetcher};
    ScriptedDialogs dialogs;
    FakeDesktop desktop;
    FakeSpeaker speaker;
    int unloads = 0;
    bool saved = false;
    // The window's clock: a few minutes after the KSEA report.
    QDateTime now{QDate(2026, 11, 12), QTime(17, 0), Qt::UTC};
    std::unique_ptr<frmMain> window;
    std::unique_ptr<QtDialogs> qtDialogs;
    // Ends before the window whose form it shows.
    std::unique_ptr<Session> session;

    UiHarness()
    {
        server.listen();
        server.setMetar("KSEA", "KSEA 121653Z 17011KT 10SM FEW015 BKN035 12/09 A2992 RMK AO2\r\n");
        qputenv("BRIEFCAST_STATUS_URL", server.statusUrl().toUtf8());
        fetcher.setTimeoutMs(60'000);
        store.SaveSetting("Settings", "ATISFilePath", atisPath());
        // The radar client's folder is there, so atis.txt is written from the start.
        QDir().mkpath(home.path() + "/.wine/drive_c/Program Files/Kovoddddd");
        // The program ends once the settings are written, not with its window.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    QString atisPath() const { return dir.filePath("atis.txt"); }
    QString setting(const char* key) const { return store.GetSetting("Settings", key); }

    // Builds the window and its session, as main does; with realDialogs,
    // Qt's own message boxes.
    frmMain& create(bool realDialogs = false)
    {
        session.reset();
        window = std::make_unique<frmMain>();
        qtDialogs = std::make_unique<QtDialogs>(window.get());
        session = std::make_unique<Session>(
            Session::Services{.store = store,
                              .fetcher = fetcherShowingWait,
                              .dialogs = realDialogs ? static_cast<Dialogs&>(*qtDialogs) : dialogs,
                              .desktop = desktop,
                              .speaker = speaker,
                              .draw = [] { return 0.0f; },
                              .clock = [this] { return now; },
                              .abortFetch = [this] { fetcher.abort(); }},
            window->form(), window->form());
        window->attach(*session, desktop);
        QObject::connect(window.get(), &frmMain::closed,
                         [this](bool written) { ++unloads, saved = written; });
        return *window;
    }
    frmMain& start(bool realDialogs = false)
    {
        frmMain& w = create(realDialogs);
        w.show();
        w.beginLoad();
        w.finishLoad();
        QApplication::setActiveWindow(&w);
        return w;
    }
    WindowForm& form() { return window->form(); }

    // A control of the window, by its object name.
    template <class T = QWidget> T* get(const char* name) const
    {
        if (T* found = window->findChild<T*>(QString::fromLatin1(name)))
            return found;
        qFatal("no control named %s", name);
    }
    // Clicks a button or box, or triggers a menu item.
    void press(const char* name) const
    {
        auto* action = qobject_cast<QAction*>(get<QObject>(name));
        action ? action->trigger() : QTest::mouseClick(get(name), Qt::LeftButton);
    }
    // What is wrong with the arrangement of a shown window or dialog: a control
    // outside the one that holds it, two controls over each other, or a
    // caption cut short. Empty when all is well.
    static QStringList arrangementProblems(const QWidget* holder)
    {
        QStringList problems;
        if (holder->isWindow() && cutsTitleShort(holder))
            problems << holder->objectName() + " cuts its title short";
        QList<const QWidget*> shown;
        for (const QWidget* c : holder->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (c->isVisible() && !c->isWindow())
                shown.append(c);
        // What a control covers: a label without text nothing, and the edges
        // may touch, as a caption's box grown to its font touches the list below.
        const auto covered = [](const QWidget* c) {
            const auto* label = qobject_cast<const QLabel*>(c);
            return label && label->text().isEmpty() ? QRect()
                                                    : c->geometry().adjusted(2, 2, -2, -2);
        };
        const auto name = [](const QWidget* c) {
            return c->objectName().isEmpty() ? QString(c->metaObject()->className())
                                             : c->objectName();
        };
        for (const QWidget* c : shown) {
            if (!holder->rect().contains(c->geometry()))
                problems << name(c) + " is outside " + name(holder);
            for (const QWidget* other : shown)
                if (c < other && covered(c).intersects(covered(other)))
                    problems << name(c) + " and " + name(other) + " overlap";
            // A button's frame or a box's indicator needs room beside its caption.
            const int room = qobject_cast<const QPushButton*>(c) ? 8
                             : qobject_cast<const QCheckBox*>(c)
                                 ? c->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 4
                                 : 0;
            const auto* label = qobject_cast<const QLabel*>(c);
            QString text = (label && !label->wordWrap()) || room ? textOf(c) : QString();
            text.replace(QRegularExpression("&(.)"), "\\1"); // "&Add" shows as "Add"
            const QFontMetrics fm(c->font());
            if (c->width() < fm.horizontalAdvance(text) + room || c->height() < fm.height())
                problems << name(c) + " cuts its text short";
            if (label && label->text().contains(QRegularExpression("&[^&]")) && !label->buddy())
                problems << name(c) + " has a key letter but no control to move to";
            // Qt's own composite controls arrange their parts themselves.
            if (!qobject_cast<const QAbstractSpinBox*>(c) && !qobject_cast<const QComboBox*>(c) &&
                !qobject_cast<const QAbstractScrollArea*>(c))
                problems << arrangementProblems(c);
        }
        return problems;
    }
    // A window manager draws the title in bold, beside an icon and three
    // buttons of 24 pixels at 96 dpi, with 16 pixels of margins.
    static bool cutsTitleShort(const QWidget* window)
    {
        QFont bold = window->font();
        bold.setBold(true);
        return window->width() < QFontMetrics(bold).horizontalAdvance(window->windowTitle()) +
                                     112 * window->logicalDpiX() / 96;
    }
    // What a control shows: its caption, title or text.
    static QString textOf(const QObject* o)
    {
        for (const char* property : {"text", "title", "plainText", "currentText"})
            if (const QVariant v = o->property(property); v.isValid())
                return v.toString();
        return {};
    }
};
