#include "store/inifile.h"

#include <QStringDecoder>
#include <algorithm>

namespace {
const QByteArray ByteOrderMark = "\xEF\xBB\xBF";

bool isHexDigit(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The escapes QSettings writes for control characters, letter after "\".
constexpr char Escapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'},
                               {'t', '\t'}, {'v', '\v'}, {'"', '"'},  {'\\', '\\'}};

// Letters, digits and "_-." as they are, "/" as "\", everything else as
// %XX or %UXXXX.
QByteArray escapedKey(const QString& key)
{
    QByteArray out;
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == '/')
            out += '\\';
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '_' || c == '-' || c == '.')
            out += char(c);
        else if (c <= 0xFF)
            out += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        else
            out += "%U" + QByteArray::number(c, 16).toUpper().rightJustified(4, '0');
    }
    return out;
}

QString unescapedKey(QByteArrayView escaped)
{
    const QString text = QString::fromUtf8(escaped);
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            continue;
        }
        if (c == QLatin1Char('%') && i + 1 < text.size()) {
            const bool wide = text.at(i + 1) == QLatin1Char('U');
            const qsizetype first = i + 1 + (wide ? 1 : 0);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code = first + digits <= text.size()
                                    ? QStringView(text).sliced(first, digits).toUShort(&ok, 16)
                                    : 0;
            if (ok) {
                out += QChar(code);
                i = first + digits - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// With qsettingsForm, U+FEFF as it is, as QSettings writes it.
QByteArray escapedValue(const QString& text, bool qsettingsForm = false)
{
    QByteArray out;
    bool quoted = false;
    // After "\0" or "\x1f" a hex digit would be read as part of the escape.
    bool escapeHexDigit = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar qc = text.at(i);
        const char16_t c = qc.unicode();
        if (c == ';' || c == ',' || c == '=')
            quoted = true;
        if (escapeHexDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeHexDigit = false;
        const auto named = std::find_if(std::begin(Escapes), std::end(Escapes),
                                        [c](const char(&e)[2]) { return e[1] == c; });
        const bool pair =
            qc.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (named != std::end(Escapes)) {
            out += '\\';
            out += (*named)[0];
        } else if (c == 0) {
            out += "\\0";
            escapeHexDigit = true;
        } else if (c <= 0x1F || (qc.isSurrogate() && !pair) || (c == 0xFEFF && !qsettingsForm)) {
            // Also what UTF-8 cannot hold (a lone surrogate) and what a UTF-8
            // decoder drops at the start of a value (U+FEFF, the byte-order
            // mark), so that both read back as they were.
            out += "\\x" + QByteArray::number(c, 16);
            escapeHexDigit = true;
        } else {
            out += QStringView(text).sliced(i, pair ? 2 : 1).toUtf8();
            i += pair ? 1 : 0;
        }
    }
    if (quoted || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

// A value as QSettings reads it, lists aside: escapes replaced, double quotes
// removed around what they enclose, the UTF-8 decoded as one piece, which
// drops a byte-order mark at the start of its first run, as QSettings'
// decoder does (where, in droppedMark).
QString unescapedValue(QByteArrayView raw, qsizetype* droppedMark = nullptr)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    bool firstRun = true;
    QString out;
    bool inQuotes = false;
    for (qsizetype i = 0; i < raw.size();) {
        const char c = raw.at(i);
        if (c == '"') {
            // After a closing quote QSettings skips blanks.
            inQuotes = !inQuotes;
            for (++i; !inQuotes && i < raw.size() && (raw.at(i) == ' ' || raw.at(i) == '\t');)
                ++i;
            continue;
        }
        if (c != '\\') {
            qsizetype end = i + 1;
            while (end < raw.size() && raw.at(end) != '\\' && raw.at(end) != '"')
                ++end;
            if (firstRun && droppedMark && raw.sliced(i).startsWith(ByteOrderMark))
                *droppedMark = i;
            firstRun = false;
            out += utf8(raw.sliced(i, end - i));
            i = end;
            continue;
        }
        if (++i == raw.size())
            break;
        const char e = raw.at(i++);
        const auto named = std::find_if(std::begin(Escapes), std::end(Escapes),
                                        [e](const char(&x)[2]) { return x[0] == e; });
        if (named != std::end(Escapes) || e == '?' || e == '\'') {
            out += QLatin1Char(named != std::end(Escapes) ? (*named)[1] : e);
        } else if (e == 'x' || (e >= '0' && e <= '7')) {
            const int base = e == 'x' ? 16 : 8;
            const qsizetype from = e == 'x' ? i : i - 1;
            qsizetype end = from;
            while (end < raw.size() && isHexDigit(raw.at(end)) &&
                   (base == 16 || raw.at(end) <= '7'))
                ++end;
            if (end > from)
                out += QChar(char16_t(raw.sliced(from, end - from).toUInt(nullptr, base)));
            i = end;
        }
        // Any other character after "\" is dropped, as QSettings drops it.
    }
    return out;
}

// A string as QSettings stores it: a leading "@" doubled, so that it is not
// taken for a typed value such as "@ByteArray(...)".
QByteArray storedValue(const QString& value)
{
    return escapedValue(value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value);
}

// What QSettings makes of a text that begins with "@": "@@" stands for one
// "@", "@String(...)" for the text inside (its form for a text with NUL).
QString typedText(const QString& text)
{
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    if (text.startsWith(QLatin1String("@String(")) && text.endsWith(QLatin1Char(')')))
        return text.mid(8).chopped(1);
    return text;
}

QString readValue(QByteArrayView raw)
{
    qsizetype droppedMark = -1;
    const QString text = unescapedValue(raw, &droppedMark);
    const bool quoted = raw.size() >= 2 && raw.front() == '"' && raw.back() == '"';
    // In the form the store writes, or QSettings: it writes U+FEFF as it
    // is, and its reader drops the one its decoder takes for a byte-order
    // mark.
    QByteArray read = raw.toByteArray();
    if (droppedMark >= 0)
        read.remove(droppedMark, ByteOrderMark.size());
    // Written by hand: the text as it stands.
    if (!quoted && escapedValue(text) != raw && escapedValue(text, true) != read)
        return QString::fromUtf8(raw);
    return typedText(text);
}

// "[General]" holds the keys outside any group, so a group of that name is
// written "[%" and its name, in whatever letter case it has.
QString headerGroup(QByteArrayView name)
{
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.sliced(1));
    return unescapedKey(name);
}

QByteArray headerText(const QString& group)
{
    QByteArray name = escapedKey(group);
    if (name.isEmpty())
        name = "General";
    else if (name.compare("general", Qt::CaseInsensitive) == 0)
        name.prepend('%');
    return '[' + name + ']';
}
} // namespace

IniFile::IniFile(const QByteArray& content)
{
    QByteArrayView rest(content);
    if (rest.startsWith(ByteOrderMark)) {
        m_byteOrderMark = ByteOrderMark;
        rest = rest.sliced(ByteOrderMark.size());
    }
    QString group;
    while (!rest.isEmpty()) {
        qsizetype length = 0;
        while (length < rest.size() && rest.at(length) != '\n' && rest.at(length) != '\r')
            ++length;
        const qsizetype endLength = rest.sliced(length).startsWith("\r\n") ? 2
                                    : length < rest.size()                 ? 1
                                                                           : 0;
        Line line{rest.first(length).toByteArray(), rest.sliced(length, endLength).toByteArray(),
                  group, std::nullopt, QString()};
        rest = rest.sliced(length + endLength);
        if (m_lineEnd.isEmpty())
            m_lineEnd = line.end;
        const QByteArray text = line.text.trimmed();
        const qsizetype equals = text.indexOf('=');
        if (text.startsWith('[')) {
            const qsizetype end = text.indexOf(']');
            group = headerGroup(
                QByteArrayView(text).sliced(1, (end < 0 ? text.size() : end) - 1).trimmed());
            line.group = group;
            line.header = true;
        } else if (!text.startsWith(';') && equals > 0) {
            line.key = unescapedKey(text.left(equals).trimmed());
            line.value = readValue(text.mid(equals + 1).trimmed());
        }
        m_lines.append(line);
    }
    if (m_lineEnd.isEmpty())
        m_lineEnd = "\n";
}

std::optional<IniFile::Pairs> IniFile::group(const QString& name) const
{
    Pairs pairs;
    for (const Line& line : m_lines) {
        if (!line.key || line.group != name)
            continue;
        // A key written twice counts once, with its last value.
        const auto same = std::find_if(pairs.begin(), pairs.end(),
                                       [&](const auto& p) { return p.first == *line.key; });
        if (same != pairs.end())
            same->second = line.value;
        else
            pairs.append({*line.key, line.value});
    }
    if (pairs.isEmpty())
        return std::nullopt;
    return pairs;
}

qsizetype IniFile::lastLineOf(const QString& group) const
{
    for (qsizetype i = m_lines.size() - 1; i >= 0; --i) {
        if (m_lines.at(i).group == group && (m_lines.at(i).key || m_lines.at(i).header))
            return i;
    }
    return -1;
}

void IniFile::setValue(const QString& group, const QString& key, const QString& value)
{
    const QByteArray text = escapedKey(key) + '=' + storedValue(value);
    for (qsizetype i = m_lines.size() - 1; i >= 0; --i) {
        if (m_lines.at(i).group == group && m_lines.at(i).key == key) {
            m_lines[i].text = text;
            m_lines[i].value = value;
            return;
        }
    }
    if (const qsizetype last = lastLineOf(group); last >= 0) {
        m_lines.insert(last + 1, {text, QByteArray(), group, key, value});
        return;
    }
    if (!m_lines.isEmpty() && !m_lines.last().text.trimmed().isEmpty())
        m_lines.append({QByteArray(), QByteArray(), m_lines.last().group, std::nullopt, QString()});
    m_lines.append({headerText(group), QByteArray(), group, std::nullopt, QString(), true});
    m_lines.append({text, QByteArray(), group, key, value});
}

void IniFile::remove(const QString& group, const QString& key)
{
    m_lines.removeIf([&](const Line& line) { return line.group == group && line.key == key; });
}

void IniFile::removeGroup(const QString& group)
{
    m_lines.removeIf([&](const Line& line) { return line.group == group; });
}

QByteArray IniFile::content() const
{
    QByteArray out = m_byteOrderMark;
    for (const Line& line : m_lines)
        out += line.text + (line.end.isEmpty() ? m_lineEnd : line.end);
    return out;
}
