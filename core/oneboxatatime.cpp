#include "core/oneboxatatime.h"

#include <QScopeGuard>

OneBoxAtATime::OneBoxAtATime(Dialogs& inner, QObject* parent) : QObject(parent), m_inner(inner) {}

template <class Show> auto OneBoxAtATime::whileOpen(Show show)
{
    ++m_open;
    const auto closed = qScopeGuard([this] {
        if (--m_open == 0)
            showWaitingLater();
    });
    return show();
}

Dialogs::Answer OneBoxAtATime::message(const QString& text, const QString& title, Icon icon,
                                       Buttons buttons)
{
    return whileOpen([&] { return m_inner.message(text, title, icon, buttons); });
}

QString OneBoxAtATime::input(const QString& prompt, const QString& title, const QString& proposed)
{
    return whileOpen([&] { return m_inner.input(prompt, title, proposed); });
}

QString OneBoxAtATime::openFile(const OpenFileRequest& request)
{
    return whileOpen([&] { return m_inner.openFile(request); });
}

void OneBoxAtATime::tell(const QString& text, const QString& title, Icon icon)
{
    if (m_shutDown)
        return;
    m_waiting.append({text, title, icon});
    if (m_open == 0)
        showWaitingLater();
}

void OneBoxAtATime::shutDown()
{
    m_shutDown = true;
    m_waiting.clear();
}

void OneBoxAtATime::showWaitingLater()
{
    if (!m_waiting.isEmpty())
        QMetaObject::invokeMethod(this, &OneBoxAtATime::showWaiting, Qt::QueuedConnection);
}

void OneBoxAtATime::showWaiting()
{
    // A box opened meanwhile calls again when it closes.
    if (m_open > 0 || m_waiting.isEmpty())
        return;
    const Notice notice = m_waiting.takeFirst();
    message(notice.text, notice.title, notice.icon, Buttons::OK);
}
