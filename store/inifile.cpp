#include "store/inifile.h"

#include <algorithm>

namespace {
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

QByteArray escapedValue(const QString& text)
{
    QByteArray out;
    bool quoted = false;
    // After "\0" or "\x1f" a hex digit would be read as part of the escape.
    bool escapeHexDigit = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == ';' || c == ',' || c == '=')
            quoted = true;
        if (escapeHexDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeHexDigit = false;
        const auto named = std::find_if(std::begin(Escapes), std::end(Escapes),
                                        [c](const char(&e)[2]) { return e[1] == c; });
        if (named != std::end(Escapes)) {
            out += '\\';
            out += (*named)[0];
        } else if (c == 0) {
            out += "\\0";
            escapeHexDigit = true;
        } else if (c <= 0x1F) {
            out += "\\x" + QByteArray::number(c, 16);
            escapeHexDigit = true;
        } else {
            // A surrogate pair goes as one character, so its UTF-8 is whole.
            const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            out += text.mid(i, n).toUtf8();
            i += n - 1;
        }
    }
    if (quoted || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

// The inverse of escapedValue for what it writes; other text gives some
// other result, which the caller tells apart by escaping it again.
QString unescapedValue(QByteArrayView raw)
{
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
        raw = raw.sliced(1, raw.size() - 2);
    QString out;
    QByteArray run;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) != '\\' || i + 1 == raw.size()) {
            run += raw.at(i);
            continue;
        }
        out += QString::fromUtf8(run);
        run.clear();
        const char e = raw.at(++i);
        const auto named = std::find_if(std::begin(Escapes), std::end(Escapes),
                                        [e](const char(&x)[2]) { return x[0] == e; });
        if (named != std::end(Escapes)) {
            out += QLatin1Char((*named)[1]);
        } else if (e == 'x' || (e >= '0' && e <= '7')) {
            const int base = e == 'x' ? 16 : 8;
            qsizetype end = e == 'x' ? i + 1 : i;
            while (end < raw.size() && isHexDigit(raw.at(end)) &&
                   (base == 16 || raw.at(end) <= '7'))
                ++end;
            const qsizetype from = e == 'x' ? i + 1 : i;
            out += QChar(char16_t(raw.sliced(from, end - from).toUInt(nullptr, base)));
            i = end - 1;
        } else {
            run += '\\';
            run += e;
        }
    }
    return out + QString::fromUtf8(run);
}

// A string as QSettings stores it: a leading "@" doubled, so that it is not
// taken for a typed value such as "@ByteArray(...)".
QByteArray storedValue(const QString& value)
{
    return escapedValue(value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value);
}

QString readValue(QByteArrayView raw)
{
    const QString text = unescapedValue(raw);
    if (escapedValue(text) == raw) {
        if (text.startsWith(QLatin1String("@@")))
            return text.mid(1);
        if (!text.startsWith(QLatin1Char('@')))
            return text;
    }
    return QString::fromUtf8(raw);
}

// "[General]" holds the keys outside any group, so a group of that name is
// written "[%General]".
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
        name = "%General";
    return '[' + name + ']';
}
} // namespace

IniFile::IniFile(const QByteArray& content)
{
    QString group;
    const QList<QByteArray> lines = content.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == lines.size() - 1 && lines.at(i).isEmpty())
            break;
        Line line{lines.at(i), group, std::nullopt, QString()};
        const QByteArray text = lines.at(i).trimmed();
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
    const Line line{escapedKey(key) + '=' + storedValue(value), group, key, value};
    for (qsizetype i = m_lines.size() - 1; i >= 0; --i) {
        if (m_lines.at(i).group == group && m_lines.at(i).key == key) {
            m_lines[i] = line;
            return;
        }
    }
    if (const qsizetype last = lastLineOf(group); last >= 0) {
        m_lines.insert(last + 1, line);
        return;
    }
    if (!m_lines.isEmpty() && !m_lines.last().text.trimmed().isEmpty())
        m_lines.append({QByteArray(), m_lines.last().group, std::nullopt, QString()});
    m_lines.append({headerText(group), group, std::nullopt, QString(), true});
    m_lines.append(line);
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
    QByteArray out;
    for (const Line& line : m_lines)
        out += line.text + '\n';
    return out;
}
