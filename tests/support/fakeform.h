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
    struct Row
    {
        QString id;
        bool arriving = false;
        bool departing = false;
    };

    QString icao;
    QString templ = Texts::DefaultTemplate;
    QList<Row> rows;
    bool visual = false;
    bool lahso = false;
    QStringList codes = QStringLiteral("ALPHA BRAVO CHARLIE DELTA ECHO FOXTROT GOLF HOTEL INDIA "
                                       "JULIET KILO LIMA MIKE NOVEMBER OSCAR PAPA QUEBEC ROMEO "
                                       "SIERRA TANGO UNIFORM VICTOR WHISKEY X-RAY YANKEE ZULU")
                            .split(u' ');
    int code = 0; // the letter's index in codes
    TransitionLevelTable transitionLevelTable;
    AtisType type = AtisType::Combined;
    LetterRange letters;
    // What lblATISCode, the start and stop controls and the look-up show.
    bool codeIsCurrent = false;
    bool autoUpdate = false;
    bool lookingUp = false;
    QString atis;
    QString lastMetar;
    bool updateFile = true;
    int icaoFocusCount = 0;
    bool icaoSelectedAll = false;

    void addRunway(const QString& id, bool arriving, bool departing)
    {
        rows.append({id, arriving, departing});
    }

    QString icaoText() const override { return icao; }
    void setIcaoText(const QString& text) override { icao = text; }
    void focusIcao(bool selectAll) override { ++icaoFocusCount, icaoSelectedAll = selectAll; }
    QString templateText() const override { return templ; }
    void setTemplateText(const QString& text) override { templ = text; }
    int runwayCount() const override { return int(rows.size()); }
    QString runwayId(int row) const override { return rows.at(row).id; }
    bool arrivingTicked(int row) const override { return rows.at(row).arriving; }
    bool departingTicked(int row) const override { return rows.at(row).departing; }
    void clearRunways() override { rows.clear(); }
    void appendRunway(const QString& id) override { rows.append({id, false, false}); }
    void setArrivingTicked(int row, bool ticked) override { rows[row].arriving = ticked; }
    void setDepartingTicked(int row, bool ticked) override { rows[row].departing = ticked; }
    bool visualTicked() const override { return visual; }
    void setVisualTicked(bool ticked) override { visual = ticked; }
    bool lahsoTicked() const override { return lahso; }
    void setLahsoTicked(bool ticked) override { lahso = ticked; }
    int codeIndex() const override { return code; }
    void setCodeIndex(int index) override { code = letters.contains(index) ? index : code; }
    QString codeText() const override { return codes.value(code); }
    TransitionLevelTable transitionLevels() const override { return transitionLevelTable; }
    void setTransitionLevels(const TransitionLevelTable& t) override { transitionLevelTable = t; }
    AtisType atisType() const override { return type; }
    void setAtisType(AtisType t) override { type = t; }
    LetterRange letterRange() const override { return letters; }
    void setLetterRange(const LetterRange& range) override
    {
        letters = range;
        code = range.contains(code) ? code : range.first;
    }
    void showCodeIsCurrent(bool current) override { codeIsCurrent = current; }
    void showAutoUpdate(bool running) override { autoUpdate = running; }
    void showLookingUp(bool on) override { lookingUp = on; }
    QString atisText() const override { return atis; }
    void setAtisText(const QString& text) override { atis = text; }
    void setLastMetarText(const QString& text) override { lastMetar = text; }
    void showFindings(const QStringList&) override {}
    bool updateATISFileChecked() const override { return updateFile; }
    void setUpdateATISFileChecked(bool checked) override { updateFile = checked; }
};
