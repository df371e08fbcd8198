#include "core/phrasing.h"

Phrasing DefaultPhrasing(const QString& icao)
{
    const QString first = icao.trimmed().left(1).toUpper();
    return first == u"K" || first == u"P" || first == u"C" ? Phrasing::Faa : Phrasing::Icao;
}

QString StoredPhrasing(Phrasing phrasing)
{
    return phrasing == Phrasing::Faa ? QStringLiteral("FAA") : QStringLiteral("ICAO");
}

QString StoredTextForm(TextForm form)
{
    return form == TextForm::Words ? QStringLiteral("words") : QStringLiteral("groups");
}

std::optional<TextForm> ParseTextForm(const QString& stored)
{
    for (const TextForm f : {TextForm::Groups, TextForm::Words})
        if (stored.trimmed().compare(StoredTextForm(f), Qt::CaseInsensitive) == 0)
            return f;
    return std::nullopt;
}

std::optional<Phrasing> ParsePhrasing(const QString& stored)
{
    for (const Phrasing p : {Phrasing::Icao, Phrasing::Faa})
        if (stored.trimmed().compare(StoredPhrasing(p), Qt::CaseInsensitive) == 0)
            return p;
    return std::nullopt;
}
