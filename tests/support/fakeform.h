#pragma once

#include "core/atisform.h"
#include "core/texts.h"

#include <QList>
#include <QString>
#include <QStringList>

// The window's values as plain fields, for driving the engine without widgets.
class FakeForm : public AtisForm
{
public:
    // The profile the window shows, starting with the default template.
    Profile shown{.templateText = Texts::DefaultTemplate};
    QStringList codes = QStringLiteral("ALPHA BRAVO CHARLIE DELTA ECHO FOXTROT GOLF HOTEL INDIA "
                                       "JULIET KILO LIMA MIKE NOVEMBER OSCAR PAPA QUEBEC ROMEO "
                                       "SIERRA TANGO UNIFORM VICTOR WHISKEY X-RAY YANKEE ZULU")
                            .split(u' ');
    int code = 0; // the letter's index in codes
    // What lblATISCode, the start and stop controls and the look-up show.
    bool codeIsCurrent = false;
    bool autoUpdate = false;
    bool lookingUp = false;
    QString atis;
    QString lastMetar;
    int icaoFocusCount = 0;
    bool icaoSelectedAll = false;

    void addRunway(const QString& id, bool arriving, bool departing)
    {
        shown.runways.append({id, arriving, departing});
    }

    // A new letter range, shown as a loaded profile would show it.
    void setLetterRange(const LetterRange& range)
    {
        Profile changed = shown;
        changed.letters = range;
        setProfile(changed);
    }

    Profile profile() const override { return shown; }
    void setProfile(const Profile& profile) override
    {
        shown = profile;
        code = profile.letters.contains(code) ? code : profile.letters.first;
    }
    void focusIcao(bool selectAll) override { ++icaoFocusCount, icaoSelectedAll = selectAll; }
    int codeIndex() const override { return code; }
    void setCodeIndex(int index) override { code = shown.letters.contains(index) ? index : code; }
    QString codeText() const override { return codes.value(code); }
    void showCodeIsCurrent(bool current) override { codeIsCurrent = current; }
    void showAutoUpdate(bool running) override { autoUpdate = running; }
    void showLookingUp(bool on) override { lookingUp = on; }
    QString atisText() const override { return atis; }
    void setAtisText(const QString& text) override { atis = text; }
    void setLastMetarText(const QString& text) override { lastMetar = text; }
    void showFindings(const QStringList&) override {}
};
