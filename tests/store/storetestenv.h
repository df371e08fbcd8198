#pragma once

#include <QTemporaryDir>

// Keeps the tests away from the real home and settings: HOME and
// XDG_CONFIG_HOME point into a temporary folder for the whole run.
struct StoreTestEnv
{
    QTemporaryDir home;
    StoreTestEnv()
    {
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
        qunsetenv("WINEPREFIX");
    }
};
