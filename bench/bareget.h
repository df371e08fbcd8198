#pragma once

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>

// The yardstick for our retrieval: the same GET with nothing of ours around
// it, waited for in a local event loop.
inline void bareGet(QNetworkAccessManager& manager, const QString& url)
{
    QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(url)));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->readAll();
    reply->deleteLater();
}
