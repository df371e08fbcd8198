#pragma once

#include <QFile>
#include <QTemporaryDir>

// Keeps a test away from the real home and settings: HOME and
// XDG_CONFIG_HOME point into a temporary folder while it lives, and no Wine
// prefix is set. Create it before anything reads the settings location.
// Others may pass through it, as through a home on Debian, so that a test
// acting as an ordinary user reaches what is stored there.
struct TemporaryHome
{
    QTemporaryDir dir;

    TemporaryHome()
    {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ExeGroup | QFile::ExeOther);
        qputenv("HOME", dir.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
        qunsetenv("WINEPREFIX");
    }
    QString path() const { return dir.path(); }
};
