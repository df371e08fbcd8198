// The yardstick for start-up and memory: a bare Qt Widgets program that
// shows one empty QMainWindow and quits when idle, or, with
// BRIEFCAST_QUIT_WHEN_SHOWN, once the window is exposed and painted.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>

namespace {
class QuitWhenExposed : public QObject
{
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        return false;
    }
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    QuitWhenExposed quit;
    window.winId(); // the platform window, to watch before it is shown
    if (qEnvironmentVariableIsSet("BRIEFCAST_QUIT_WHEN_SHOWN"))
        window.windowHandle()->installEventFilter(&quit);
    else
        QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    window.show();
    return app.exec();
}
