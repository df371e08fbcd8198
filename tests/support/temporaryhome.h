#pragma once

#include <QTemporaryDir>

// Keeps a test away from the real home and settings: HOME and
// XDG_CONFIG_HOME point into a temporary folder while it lives, and no Wine
// prefix is set. Create it before anything reads the settings location.
struct TemporaryHome
{
    QTemporaryDir dir;

    TemporaryHome()
    {
        qputenv("HOME", dir.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
        qunsetenv("WINEPREFIX");
    }
    QString path() const { return dir.path(); }
};
