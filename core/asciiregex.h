#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <optional>

// A regular expression whose classes are ASCII only, also under ignore case.
// The engine underneath folds case with Unicode rules (the long s would match
// [A-Z] and the Kelvin sign a K), so non-ASCII characters are masked before
// matching: each becomes a control character that only \S and . can match,
// which is exactly how an ASCII-only engine sees them. Captures are taken
// from the original text. A group that takes no part reads as empty text.
// Without Multiline, a final $ means the end of the text only (never "before
// a final line feed"), and with it ^ and $ match at CR and LF line breaks.
class AsciiRegex
{
public:
    enum Option
    {
        NoOption = 0,
        IgnoreCase = 1,
        Multiline = 2
    };

    struct Match
    {
        qsizetype start = 0;
        qsizetype length = 0;
        QStringList groups; // groups[0] is the whole match
    };

    AsciiRegex(const QString& pattern, int options);

    bool isValid() const { return m_re.isValid(); }
    bool test(const QString& text) const { return firstMatchRange(text).has_value(); }
    std::optional<QStringList> firstMatch(const QString& text) const;
    std::optional<Match> firstMatchRange(const QString& text) const;
    QList<Match> allMatches(const QString& text) const;

    // Space, tab, line feed, vertical tab, form feed, carriage return.
    static bool isAsciiSpace(QChar c)
    {
        const char16_t u = c.unicode();
        return u == u' ' || (u >= u'\t' && u <= u'\r');
    }

private:
    Match toMatch(const QRegularExpressionMatch& m, const QString& original) const;

    QRegularExpression m_re;
};
