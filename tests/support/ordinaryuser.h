#pragma once

#include <QFile>
#include <QString>
#include <sys/fsuid.h>
#include <unistd.h>
#include <utility>

// While it lives (or until restore()), this thread's file access is checked
// as the user nobody's, so that permissions refuse what they would refuse a
// controller: as root every check passes. Without root nothing changes.
class OrdinaryUser
{
public:
    static constexpr uid_t Nobody = 65534;

    OrdinaryUser() : m_dropped(geteuid() == 0)
    {
        if (m_dropped)
            setfsgid(Nobody), setfsuid(Nobody);
    }
    ~OrdinaryUser() { restore(); }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;
    void restore()
    {
        if (std::exchange(m_dropped, false))
            setfsuid(0), setfsgid(0);
    }

private:
    bool m_dropped;
};

// A settings folder and its file that everyone may read and only root may
// write (readOnly), or that their owner may write again.
inline bool setStoreReadOnly(const QString& folder, const QString& file, bool readOnly)
{
    const auto read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto write = readOnly ? QFileDevice::Permissions() : QFile::WriteOwner;
    return QFile::setPermissions(folder, read | write | QFile::ExeOwner | QFile::ExeGroup |
                                             QFile::ExeOther) &&
           QFile::setPermissions(file, read | write);
}
