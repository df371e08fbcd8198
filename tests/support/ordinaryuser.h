#pragma once

#include <QFile>
#include <QString>
#include <sys/fsuid.h>
#include <unistd.h>

// While it lives, this thread's file access is checked as the user nobody's,
// so that permissions refuse what they would refuse a controller (as root
// every check passes). Only the file-system identity changes: root is back
// at once when it ends, or earlier through restore(). Without root the
// permissions apply anyway and nothing changes.
class OrdinaryUser
{
public:
    static constexpr uid_t Nobody = 65534;

    OrdinaryUser() : m_dropped(geteuid() == 0)
    {
        if (m_dropped) {
            setfsgid(Nobody);
            setfsuid(Nobody);
        }
    }
    ~OrdinaryUser() { restore(); }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

    void restore()
    {
        if (!m_dropped)
            return;
        setfsuid(0);
        setfsgid(0);
        m_dropped = false;
    }

private:
    bool m_dropped;
};

// A settings folder and its file that everyone may read and only root may
// write (readOnly), or that their owner may write again.
inline bool setStoreReadOnly(const QString& folder, const QString& file, bool readOnly)
{
    const QFileDevice::Permissions read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFileDevice::Permissions write =
        readOnly ? QFileDevice::Permissions() : QFile::WriteOwner;
    return QFile::setPermissions(folder, read | write | QFile::ExeOwner | QFile::ExeGroup |
                                             QFile::ExeOther) &&
           QFile::setPermissions(file, read | write);
}
