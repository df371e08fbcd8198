#pragma once

#include "core/runwayphrase.h"
#include "core/texts.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Texts of the window, its dialogs and its commands, defined once. Like
// every text of the window, marked with tr() and translated each time it is
// read. The titles shared with the layers below
// ("Error") are theirs, in core/texts.h; the information codes are words of
// the ATIS, which stays English.
class UiTexts
{
    Q_DECLARE_TR_FUNCTIONS(UiTexts)

public:
    // The states the engine shows: the code label, the code still to be used
    // or the one on the air; Start and Stop on the button and in the menu;
    // the line while the letter on the air is looked up.
    static QString StartingCode() { return tr("Starting Code:"); }
    static QString CurrentCode() { return tr("Current Code:"); }
    static QString Start() { return tr("Start"); }
    static QString Stop() { return tr("Stop"); }
    static QString StartAutoupdate() { return tr("&Start Autoupdate"); }
    static QString StopAutoupdate() { return tr("&Stop Autoupdate"); }
    static QString LookingUpCode() { return tr("Looking up the letter on the air..."); }

    // Runways
    static inline const QString& RunwayPattern = RunwayIdPattern;
    static QString EnterRunwayTitle() { return tr("Enter Runway:"); }
    static QString EnterRunwayPrompt()
    {
        return tr("Enter runway identifier with optional L, R, or C appended to the number. "
                  "Examples: 4L, 09, 33R, 18, 24C");
    }
    static QString RunwayExists() { return tr("That runway already exists in the lists."); }

    // Options and help
    static QString AboutTitle() { return tr("About"); }
    // Followed by the version number.
    static QString Version() { return tr("Version "); }
    static QString Credit() { return tr("Briefcast contributors"); }
    static QString ManualMissing() { return tr("The user manual could not be opened:"); }
    static QString NoClipboard() { return tr("There is no clipboard on this desktop."); }
    static QString ClipboardRefused() { return tr("The clipboard did not accept the text."); }

    // The local ATIS generator
    static QString GeneratorMenu() { return tr("Local ATIS &Generator..."); }
    static QString GeneratorTitle() { return tr("Local ATIS Generator"); }
    static QString GeneratorEnabled()
    {
        return tr("&Answer radar clients and ATIS clients on this computer");
    }
    static QString GeneratorPort() { return tr("&Port:"); }
    static QString AtisMakerUrlLabel() { return tr("Radar client, ATIS maker URL:"); }
    static QString ExternalGeneratorUrlLabel()
    {
        return tr("ATIS client, external generator URL (add &&format=voice for the voice ATIS):");
    }
    static QString CopyUrl() { return tr("Copy"); }
    static QString CopyFailed() { return tr("The URL could not be copied to the clipboard."); }
    static QString RequestsServed() { return tr("Last requests:"); }
    static QStringList RequestColumns()
    {
        return {tr("Time"), tr("Airport"), tr("Letter"), tr("Status"), tr("Check")};
    }
    static QString GeneratorServing(int port)
    {
        return tr("Serving on 127.0.0.1, port %1.").arg(port);
    }
    static QString GeneratorOff() { return tr("Off: nothing is served."); }
    static QString GeneratorPortInUse(int port)
    {
        return tr("Port %1 is in use (another Briefcast or another program): not serving. "
                  "Choose another port.")
            .arg(port);
    }
    static QString GeneratorFailed(int port, const QString& error)
    {
        return tr("Not serving on port %1: %2").arg(QString::number(port), error);
    }

    // The line beside the last ATIS: its check's findings, as many as fit.
    static QString CheckLine(const QStringList& findings)
    {
        return findings.size() == 1 ? tr("Check: %1").arg(findings.first())
                                    : tr("Check (%1): %2")
                                          .arg(QString::number(findings.size()),
                                               findings.join(QStringLiteral("; ")));
    }
    static QString CheckLineName() { return tr("ATIS check"); }
    // The status bar's line: what the check found in the generator's last
    // ATIS for an airport.
    static QString GeneratorCheck(const QString& icao, const QString& informationCode,
                                  const QStringList& findings)
    {
        return tr("Generator, %1 %2: %3")
            .arg(icao, informationCode, findings.join(QStringLiteral("; ")));
    }
    static QString GeneratorCheckName() { return tr("Generator's ATIS check"); }

    // The profile's transition level table, ATIS type and letters
    // Each item of a menu has a key letter of its own: L and T are taken
    // by ATIS.txt Location and Take Over the Letter on the Air.
    static QString TransitionLevelMenu() { return tr("Tra&nsition Level..."); }
    static QString TransitionLevelTitle() { return tr("Transition Level"); }
    static QStringList BandColumns() { return {tr("From hPa"), tr("To hPa"), tr("Level")}; }
    static QString AddBand() { return tr("&Add Band"); }
    static QString RemoveBand() { return tr("&Remove Band"); }
    static QString StartFromPreset() { return tr("&Start from:"); }
    static QString UsePreset() { return tr("&Use"); }
    static QString TableRefused() { return tr("This table cannot be used:"); }
    // The profile's phrasing, in the order of Phrasing.
    static QString PhrasingMenu() { return tr("&Phrasing"); }
    static QStringList Phrasings() { return {tr("&ICAO"), tr("&FAA")}; }
    // The profile's text form, in the order of TextForm.
    static QString TextFormMenu() { return tr("Text &Form"); }
    // The template's presets, beside the template.
    static QString StartFromTemplatePreset() { return tr("Start from:"); }
    static QString UseTemplatePreset() { return tr("Use"); }
    static QString TemplatePresetsName() { return tr("Template presets"); }
    static QString ReplaceTemplate(const QString& preset)
    {
        return tr("Replace the template with the preset %1? Its phrasing and text form come with "
                  "it.")
            .arg(preset);
    }
    static QStringList TextForms() { return {tr("METAR &Groups"), tr("&Words")}; }
    static QString AtisTypeMenu() { return tr("&ATIS Type and Letters..."); }
    static QString AtisTypeTitle() { return tr("ATIS Type and Letters"); }
    static QString AtisTypeLabel() { return tr("&Type:"); }
    // In the order of AtisType.
    static QStringList AtisTypes() { return {tr("Combined"), tr("Arrival"), tr("Departure")}; }
    static QString FirstLetterLabel() { return tr("&First letter:"); }
    static QString LastLetterLabel() { return tr("&Last letter:"); }
    static QString LettersReversed() { return tr("The last letter comes before the first."); }

    // Start-up and shutdown
    static QString CommandLineDescription()
    {
        return tr("Keeps an airport's ATIS current from the network's METAR, beside the radar "
                  "client.\nThe window is the whole interface.");
    }
    // The caption while a close waits for the end of start-up.
    static QString ClosingAfterStartUp()
    {
        return tr("Briefcast (closing as soon as start-up ends)");
    }
    static QString AlreadyRunning()
    {
        return tr("Briefcast is already running with these settings, but does not answer. Close "
                  "or end it, then start Briefcast again.");
    }
};
