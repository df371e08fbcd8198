#include "serve/requesthead.h"

#include "serve/generatortexts.h"

#include <QUrl>
#include <algorithm>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isControl(char c)
{
    return uchar(c) < 0x20 || uchar(c) == 0x7f;
}

// A method or a header field's name: HTTP's token characters.
bool isToken(QByteArrayView word)
{
    static constexpr QByteArrayView others = "!#$%&'*+-.^_`|~";
    return !word.isEmpty() && std::all_of(word.begin(), word.end(), [](char c) {
        return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || others.contains(c);
    });
}

bool isHttpVersion(QByteArrayView word)
{
    return word.size() == 8 && word.startsWith("HTTP/") && isDigit(word[5]) && word[6] == '.' &&
           isDigit(word[7]);
}

// A line without its LF and the CR before it.
QByteArrayView withoutLineEnd(QByteArrayView line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

bool isLoopbackName(QByteArrayView host)
{
    static constexpr QByteArrayView loopback[] = {"127.0.0.1", "localhost", "[::1]"};
    return std::any_of(std::begin(loopback), std::end(loopback), [&](QByteArrayView name) {
        return host.compare(name, Qt::CaseInsensitive) == 0;
    });
}

// An authority's host, without its port.
QByteArrayView hostOf(QByteArrayView authority)
{
    const qsizetype colon = authority.lastIndexOf(':');
    return colon > authority.lastIndexOf(']') ? authority.first(colon) : authority;
}

QString shown(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes);
}

} // namespace

std::variant<QByteArray, Refusal> ExamineRequestHead(QByteArrayView head, const HeadLimits& limits)
{
    const qsizetype lineEnd = head.indexOf('\n') + 1;
    const QByteArrayView line = withoutLineEnd(head.first(lineEnd));
    if (std::any_of(line.begin(), line.end(), isControl))
        return Refusal{400, GeneratorTexts::RequestLineControl};
    const qsizetype first = line.indexOf(' ');
    const qsizetype last = line.lastIndexOf(' ');
    const QByteArrayView version = line.sliced(last + 1);
    if (first < 0 || !isHttpVersion(version))
        return Refusal{400, GeneratorTexts::NoHttpVersion(shown(version))};
    const QByteArrayView method = line.first(first);
    if (!isToken(method))
        return Refusal{400, GeneratorTexts::RequestLineNoMethod};
    const QByteArrayView target = line.sliced(first, last - first).trimmed();
    if (target.isEmpty())
        return Refusal{400, GeneratorTexts::RequestLineNoTarget};
    if (target.size() > limits.maxTargetBytes)
        return Refusal{414, GeneratorTexts::TargetTooLong};
    QByteArray encoded = target.toByteArray().replace(' ', "%20");
    // Qt takes the Host header for the authority of a target in absolute
    // form; the target's own counts, and must be this machine's too.
    if (!target.startsWith('/') || target.startsWith("//")) {
        const QUrl url = QUrl::fromEncoded(encoded);
        if (!url.authority().isEmpty() &&
            !IsLoopbackAuthority(url.authority(QUrl::FullyEncoded).toUtf8(), limits.port))
            return Refusal{403, GeneratorTexts::HostNotAllowed};
    }

    int fields = 0;
    for (qsizetype at = lineEnd; at < head.size();) {
        const qsizetype next = head.indexOf('\n', at) + 1;
        const QByteArrayView field = withoutLineEnd(head.sliced(at, next - at));
        at = next;
        if (field.isEmpty())
            break;
        // A continuation line (a blank first) is obsolete, and Qt reads none.
        const qsizetype colon = field.indexOf(':');
        if (colon < 0 || !isToken(field.first(colon)))
            return Refusal{400, GeneratorTexts::HeaderLineNotUnderstood(shown(field))};
        if (++fields > limits.maxHeaderFields)
            return Refusal{431, GeneratorTexts::TooManyHeaderFields(limits.maxHeaderFields)};
    }
    return method.toByteArray() + ' ' + encoded + ' ' + version.toByteArray() + "\r\n" +
           head.sliced(lineEnd).toByteArray();
}

bool IsLoopbackAuthority(QByteArrayView authority, quint16 port)
{
    authority = authority.trimmed();
    const QByteArrayView host = hostOf(authority);
    if (host.size() == authority.size())
        return port == 80 && isLoopbackName(host);
    const QByteArrayView digits = authority.sliced(host.size() + 1);
    return !digits.isEmpty() && digits.size() <= 5 &&
           std::all_of(digits.begin(), digits.end(), isDigit) && digits.toInt() == port &&
           isLoopbackName(host);
}

bool FromAnotherSite(const QList<QPair<QByteArray, QByteArray>>& headers)
{
    for (const auto& [name, value] : headers) {
        // scheme://host[:port]; "null" (a sandboxed page, a file) is no page
        // of this machine.
        if (name.compare("origin", Qt::CaseInsensitive) == 0) {
            const QByteArrayView origin = QByteArrayView(value).trimmed();
            const qsizetype start = origin.indexOf("://");
            if (start < 0 || !isLoopbackName(hostOf(origin.sliced(start + 3))))
                return true;
        }
        if (name.compare("sec-fetch-site", Qt::CaseInsensitive) == 0) {
            const QByteArray site = value.trimmed().toLower();
            if (site == "cross-site" || site == "same-site")
                return true;
        }
    }
    return false;
}
