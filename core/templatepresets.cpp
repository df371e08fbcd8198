#include "core/templatepresets.h"

const QList<TemplatePreset>& TemplatePresets()
{
    // The wording of each is its region's most frequent on the network's
    // ATIS texts. The USA's D-ATIS writes the report's groups and the
    // altimeter spelt in brackets; elsewhere the texts are read by the
    // network's speech engine and write the report in words, which
    // %metar% gives whole (with NOSIG as NO SIGNIFICANT CHANGE, a wind in
    // metres per second in MPS). Canada names the ceiling and says the wind
    // "270 AT 10"; Australia tags each line in brackets, which the voice
    // leaves unsaid.
    static const QList<TemplatePreset> presets{
        {{QT_TRANSLATE_NOOP("Texts", "USA (D-ATIS)")},
         {"K", "P"},
         Phrasing::Faa,
         TextForm::Groups,
         QStringLiteral("%icao% ATIS INFO %id% %time%.\r\n"
                        "%wind% %vis% %precip% %sky% %temp%/%dew% A%alt% (%altwords%).\r\n"
                        "%runways%\r\n"
                        "ADVS YOU HAVE INFO %id%.")},
        {{QT_TRANSLATE_NOOP("Texts", "Northern Europe")},
         {"E", "BI"},
         Phrasing::Icao,
         TextForm::Words,
         QStringLiteral("THIS IS %icao% INFORMATION %id%.\r\n"
                        "%runways%\r\n"
                        "TRANSITION LEVEL %tl%.\r\n"
                        "%metar%.\r\n"
                        "ACKNOWLEDGE RECEIPT OF INFORMATION %id% AND ADVISE AIRCRAFT TYPE ON "
                        "FIRST CONTACT.")},
        {{QT_TRANSLATE_NOOP("Texts", "Southern Europe, Mediterranean")},
         {"L"},
         Phrasing::Icao,
         TextForm::Words,
         QStringLiteral("%icao% INFORMATION %id%.\r\n"
                        "%runways%\r\n"
                        "TRANSITION LEVEL %tl%.\r\n"
                        "%metar%.\r\n"
                        "ADVISE ON INITIAL CONTACT YOU HAVE INFORMATION %id%.")},
        {{QT_TRANSLATE_NOOP("Texts", "Russia, CIS")},
         {"U"},
         Phrasing::Icao,
         TextForm::Words,
         QStringLiteral("%icao% ATIS INFORMATION %id%.\r\n"
                        "%runways%\r\n"
                        "TRANSITION LEVEL %tl%.\r\n"
                        "%metar%.\r\n"
                        "ACKNOWLEDGE RECEIPT OF INFORMATION %id%.")},
        {{QT_TRANSLATE_NOOP("Texts", "Canada")},
         {"C"},
         Phrasing::Faa,
         TextForm::Words,
         QStringLiteral("%icao% INFORMATION %id%.\r\n"
                        "%metar%.\r\n"
                        "%runways%\r\n"
                        "ADVISE ATC YOU HAVE INFORMATION %id%.")},
        {{QT_TRANSLATE_NOOP("Texts", "Australia")},
         {"Y"},
         Phrasing::Icao,
         TextForm::Words,
         QStringLiteral("%icao% INFORMATION %id% %time%.\r\n"
                        "[RWY] %runways%\r\n"
                        "[WND] %wind%.\r\n"
                        "[VIS] %vis% %precip%.\r\n"
                        "[CLD] %sky%.\r\n"
                        "[TMP] %temp%.\r\n"
                        "[QNH] %alt%.\r\n"
                        "ON FIRST CONTACT NOTIFY RECEIPT OF %id%.")},
    };
    return presets;
}

int TemplatePresetFor(const QString& icao)
{
    const QString code = icao.trimmed().toUpper();
    int found = -1;
    qsizetype longest = 0;
    for (int i = 0; i < TemplatePresets().size(); ++i)
        for (const QString& region : TemplatePresets().at(i).regions)
            if (code.startsWith(region) && region.size() > longest) {
                found = i;
                longest = region.size();
            }
    return found;
}

Profile StartedFrom(Profile profile, const TemplatePreset& preset)
{
    profile.templateText = preset.templateText;
    profile.phrasing = preset.phrasing;
    profile.textForm = preset.textForm;
    return profile;
}

bool IsStartingTemplate(const QString& templateText)
{
    if (templateText.trimmed().isEmpty() || templateText == Texts::DefaultTemplate)
        return true;
    for (const TemplatePreset& preset : TemplatePresets())
        if (templateText == preset.templateText)
            return true;
    return false;
}
