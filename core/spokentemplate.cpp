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
            words = variable->spoken(v);
        } else {
            // The radar client's functions whose value Briefcast knows for
            // its own airport; any other is the radar client's alone. An
            // argument too long to expand names no airport.
            const auto expanded = ExpandTemplate(t.captured(2), v);
            const QString* argument = std::get_if<QString>(&expanded);
            if (const TemplateVariable* known =
                    KnownRadarFunction(t.capturedView(1), argument ? *argument : QString(), v.icao))
                words = known->spoken(v);
        }
        spoken += Spoken::freeText(pending, v.phrasing);
        pending.clear();
        spoken += Spoken::following(spoken, words);
    }
    spoken += Spoken::freeText(pending + text.mid(at), v.phrasing);

    QStringList sentences;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : spoken.split(lineBreak)) {
        if (const QString s = sentence(line); !s.isEmpty())
            sentences << s;
    }
    return sentences.join(u' ');
}
