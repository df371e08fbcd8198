#include "core/asciiregex.h"

namespace {

// Stands in for every non-ASCII code unit: not a letter, digit, word
// character, blank or line break, and in no literal of our patterns.
constexpr char16_t Mask = 0x01;

QString masked(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() >= 0x80)
            c = QChar(Mask);
    }
    return out;
}

} // namespace

AsciiRegex::AsciiRegex(const QString& pattern)
    : m_re(pattern, QRegularExpression::CaseInsensitiveOption)
{
}

std::optional<QStringList> AsciiRegex::firstMatch(const QString& text) const
{
    const QRegularExpressionMatch m = m_re.match(masked(text));
    if (!m.hasMatch())
        return std::nullopt;
    QStringList groups;
    for (int i = 0; i <= m_re.captureCount(); ++i) {
        const qsizetype start = m.capturedStart(i);
        groups.append(start < 0 ? QString() : text.mid(start, m.capturedLength(i)));
    }
    return groups;
}
