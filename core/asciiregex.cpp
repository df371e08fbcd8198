#include "core/asciiregex.h"

namespace {

// Stands in for every non-ASCII code unit: not a letter, digit, word
// character, blank or line break, and in no literal of our patterns.
constexpr char16_t Mask = 0x01;

bool needsMask(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return true;
    }
    return false;
}

QString masked(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() >= 0x80)
            c = QChar(Mask);
    }
    return out;
}

QString withEndOnlyDollar(QString pattern)
{
    if (pattern.endsWith(u'$') && !pattern.endsWith(u"\\$"))
        pattern.replace(pattern.size() - 1, 1, QStringLiteral("\\z"));
    return pattern;
}

} // namespace

AsciiRegex::AsciiRegex(const QString& pattern, int options)
{
    QRegularExpression::PatternOptions qtOptions = QRegularExpression::NoPatternOption;
    QString source = pattern;
    if (options & IgnoreCase)
        qtOptions |= QRegularExpression::CaseInsensitiveOption;
    if (options & Multiline) {
        qtOptions |= QRegularExpression::MultilineOption;
        source.prepend(QStringLiteral("(*ANYCRLF)"));
    } else {
        source = withEndOnlyDollar(source);
    }
    m_re.setPattern(source);
    m_re.setPatternOptions(qtOptions);
    m_re.optimize();
}

AsciiRegex::Match AsciiRegex::toMatch(const QRegularExpressionMatch& m,
                                      const QString& original) const
{
    Match result;
    result.start = m.capturedStart(0);
    result.length = m.capturedLength(0);
    const int groups = m_re.captureCount();
    result.groups.reserve(groups + 1);
    for (int i = 0; i <= groups; ++i) {
        const qsizetype start = m.capturedStart(i);
        result.groups.append(start < 0 ? QString() : original.mid(start, m.capturedLength(i)));
    }
    return result;
}

std::optional<AsciiRegex::Match> AsciiRegex::firstMatchRange(const QString& text) const
{
    if (!m_re.isValid())
        return std::nullopt;
    const QString subject = needsMask(text) ? masked(text) : text;
    const QRegularExpressionMatch m = m_re.match(subject);
    if (!m.hasMatch())
        return std::nullopt;
    return toMatch(m, text);
}

std::optional<QStringList> AsciiRegex::firstMatch(const QString& text) const
{
    if (auto m = firstMatchRange(text))
        return std::move(m->groups);
    return std::nullopt;
}

QList<AsciiRegex::Match> AsciiRegex::allMatches(const QString& text) const
{
    QList<Match> result;
    if (!m_re.isValid())
        return result;
    const QString subject = needsMask(text) ? masked(text) : text;
    auto it = m_re.globalMatch(subject);
    while (it.hasNext())
        result.append(toMatch(it.next(), text));
    return result;
}
