#pragma once

#include <QByteArray>
#include <QString>

// One reply as the engine reads it, as one line of JSON (no line feed):
// the decoded elements in a fixed order, or the normalised text and
// "error": "no match".
QByteArray DecodeReplyToJson(const QString& reply);
