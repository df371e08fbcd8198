#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

// A full disk for real: a 64 KiB tmpfs mounted over a folder while it lives,
// with room for 16 files and folders.
class SmallDisk
{
public:
    static constexpr int PageSize = 4096;

    explicit SmallDisk(const QString& folder) : m_folder(QFile::encodeName(folder))
    {
        m_mounted =
            ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, "size=64k,nr_inodes=16") == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // False where mounting is refused (it needs root or CAP_SYS_ADMIN).
    bool mounted() const { return m_mounted; }
    // Fills the disk with the file "filler" until only that many pages are free.
    bool leaveFree(int pages)
    {
        QFile filler(QFile::decodeName(m_folder) + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        while (filler.write(QByteArray(PageSize, 'f')) == PageSize) {
        }
        return filler.resize(filler.size() / PageSize * PageSize - qint64(pages) * PageSize);
    }
    // Makes empty files "filler-1", "filler-2"... until the disk takes no
    // more: no new file can be made.
    bool leaveNoInode()
    {
        int made = 0;
        while (QFile(QFile::decodeName(m_folder) + QStringLiteral("/filler-%1").arg(++made))
                   .open(QIODevice::WriteOnly)) {
        }
        return made > 1;
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

// Where mounting is refused: while it lives, no file of this process may
// grow beyond the limit, and a write past it fails (EFBIG) instead of ending
// the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit = {bytes, m_saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &m_saved); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved = {};
};
