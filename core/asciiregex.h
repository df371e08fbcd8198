#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <optional>

// A case-insensitive regular expression whose letters and classes are ASCII
// only. Under QRegularExpression's CaseInsensitiveOption case folds by
// Unicode rules: the Kelvin sign matches K and the long s matches S. Here each
// non-ASCII code unit is masked before matching: it becomes a control
// character that only \S and . can match, which is how an ASCII-only engine
// sees it. The groups are taken from the original text; a group that takes
// no part reads as empty text.
class AsciiRegex
{
public:
    explicit AsciiRegex(const QString& pattern);

    bool isValid() const { return m_re.isValid(); }
    // The whole match, then each group; no value when nothing matches.
    std::optional<QStringList> firstMatch(const QString& text) const;

private:
    QRegularExpression m_re;
};
