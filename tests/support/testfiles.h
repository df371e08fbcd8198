#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// The whole content of a file, or "<missing>" when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A path in the folder that no write can reach, also for a test running as
// root (where permissions stop nothing): its parent "blocker" is a regular file.
inline QString unwritablePath(const QString& folder, const QString& fileName)
{
    QFile blocker(QDir(folder).filePath(QStringLiteral("blocker")));
    if (blocker.open(QIODevice::WriteOnly))
        blocker.close();
    return blocker.fileName() + QLatin1Char('/') + fileName;
}
