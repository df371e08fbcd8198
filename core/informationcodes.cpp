#include "core/informationcodes.h"

#include <QHash>

const QStringList& InformationCodes()
{
    static const QStringList codes{
        QStringLiteral("ALPHA"),  QStringLiteral("BRAVO"),    QStringLiteral("CHARLIE"),
        QStringLiteral("DELTA"),  QStringLiteral("ECHO"),     QStringLiteral("FOXTROT"),
        QStringLiteral("GOLF"),   QStringLiteral("HOTEL"),    QStringLiteral("INDIA"),
        QStringLiteral("JULIET"), QStringLiteral("KILO"),     QStringLiteral("LIMA"),
        QStringLiteral("MIKE"),   QStringLiteral("NOVEMBER"), QStringLiteral("OSCAR"),
        QStringLiteral("PAPA"),   QStringLiteral("QUEBEC"),   QStringLiteral("ROMEO"),
        QStringLiteral("SIERRA"), QStringLiteral("TANGO"),    QStringLiteral("UNIFORM"),
        QStringLiteral("VICTOR"), QStringLiteral("WHISKEY"),  QStringLiteral("X-RAY"),
        QStringLiteral("YANKEE"), QStringLiteral("ZULU")};
    return codes;
}

std::optional<QString> InformationCodeWord(QStringView text)
{
    // Letter case is folded for ASCII letters only: a letter of another
    // script that merely looks alike names no code.
    QString upper;
    for (QChar c : text.trimmed())
        upper += c >= u'a' && c <= u'z' ? QChar(c.unicode() - u'a' + u'A') : c;
    if (upper.size() == 1 && upper.front() >= u'A' && upper.front() <= u'Z')
        return InformationCodes().at(upper.front().unicode() - u'A');
    if (InformationCodes().contains(upper))
        return upper;
    // The ICAO spellings of the three words the list writes otherwise.
    static const QHash<QString, QString> icaoSpellings{
        {QStringLiteral("ALFA"), QStringLiteral("ALPHA")},
        {QStringLiteral("JULIETT"), QStringLiteral("JULIET")},
        {QStringLiteral("XRAY"), QStringLiteral("X-RAY")}};
    if (const auto word = icaoSpellings.constFind(upper); word != icaoSpellings.cend())
        return *word;
    return std::nullopt;
}
