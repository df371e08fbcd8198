#include "core/spokentemplate.h"

#include "core/phrases.h"
#include "core/radarfunctions.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace {

bool isWordCharacter(const QString& text, qsizetype at)
{
    return at >= 0 && at < text.size() && text[at].isLetterOrNumber();
}

// True when what was said ends with the name, as a word: "Winds:" has
// said "winds".
bool saidLast(const QString& said, const QString& name)
{
    qsizetype end = said.size();
    while (end > 0 && !said[end - 1].isLetterOrNumber())
        --end;
    const QStringView tail = QStringView(said).left(end);
    return tail.endsWith(name, Qt::CaseInsensitive) &&
           (tail.size() == name.size() || !tail[tail.size() - name.size() - 1].isLetterOrNumber());
}

// The words of an element with its name before them, unless what was said
// last names it already.
QString named(const QString& said, const QStringList& names, const QString& words)
{
    if (words.isEmpty() || names.isEmpty())
        return words;
    for (const QString& name : names)
        if (saidLast(said, name))
            return words;
    return names.first() + u' ' + words;
}

QString sentence(const QString& line)
{
    const QString text = line.simplified();
    if (text.isEmpty())
        return text;
    static const QString endings = QStringLiteral(".,;!?");
    return endings.contains(text.back()) ? text : text + u'.';
}

} // namespace

QString SpeakTemplate(const QString& templateText, const TemplateValues& v)
{
    QString text = templateText;
    text.replace(u':', u' ');
    // A tag in square brackets ([RWY], [WND]) marks a line for the eye; the
    // voice names what follows in its own words.
    static const QRegularExpression tag(QStringLiteral("\\[[A-Za-z ]*\\]"));
    text.remove(tag);
    static const QRegularExpression token(QStringLiteral("%[a-z]+%|") + RadarFunctionPattern);
    QString spoken;
    // Free text not yet spoken, with the written value of each variable
    // glued to a word of it: FL%tl% is the word FL70.
    QString pending;
    qsizetype at = 0;
    QRegularExpressionMatchIterator it = token.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch t = it.next();
        pending += text.mid(at, t.capturedStart() - at);
        at = t.capturedEnd();
        QString words;
        const TemplateVariable* spokenVariable = nullptr;
        if (!t.hasCaptured(1)) {
            const auto& variables = TemplateVariables();
            const auto variable = std::find_if(
                variables.begin(), variables.end(),
                [&](const TemplateVariable& known) { return known.name == t.captured(); });
            if (variable == variables.end()) {
                pending += t.captured(); // not a variable: stays free text
                continue;
            }
            if (isWordCharacter(text, t.capturedStart() - 1) ||
                isWordCharacter(text, t.capturedEnd())) {
                pending += variable->written(v);
                continue;
            }
            spokenVariable = &*variable;
        } else {
            // The radar client's functions whose value Briefcast knows for
            // its own airport; any other is the radar client's alone. An
            // argument too long to expand names no airport.
            const auto expanded = ExpandTemplate(t.captured(2), v);
            const QString* argument = std::get_if<QString>(&expanded);
            spokenVariable =
                KnownRadarFunction(t.capturedView(1), argument ? *argument : QString(), v.icao);
        }
        // A slash between two values (%temp%/%dew%) parts them as a pause.
        if (pending == u"/" && !spoken.isEmpty())
            pending = QStringLiteral(", ");
        spoken += Spoken::freeText(pending, v.phrasing);
        pending.clear();
        if (spokenVariable) {
            words = spokenVariable->spoken(v);
            if (spokenVariable->names)
                words = named(spoken, spokenVariable->names(v), words);
        }
        spoken += Spoken::following(spoken, words);
    }
    spoken += Spoken::freeText(pending + text.mid(at), v.phrasing);
    // Brackets left empty by a value the voice does not repeat (%altwords%).
    static const QRegularExpression emptyBrackets(QStringLiteral(" *\\( *\\)"));
    spoken.remove(emptyBrackets);

    QStringList sentences;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : spoken.split(lineBreak)) {
        if (const QString s = sentence(line); !s.isEmpty())
            sentences << s;
    }
    return sentences.join(u' ');
}
