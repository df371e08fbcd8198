#pragma once

#include <QString>
#include <functional>
#include <optional>

// What a character at an index of the text is written as, or nothing when it
// is to be percent-encoded.
using KeptAs = std::function<std::optional<QString>(QChar c, qsizetype index)>;

// The text with every character that keptAs leaves out written as the bytes of
// its UTF-8, each as "%" and two capital hex digits. A surrogate pair is one
// character, so that its UTF-8 is whole.
QString PercentEncoded(const QString& text, const KeptAs& keptAs);
