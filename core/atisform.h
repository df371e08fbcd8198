#pragma once

#include "core/atistype.h"
#include "core/transitionlevel.h"

#include <QString>
#include <QStringList>

// The values of the main window that the engine reads and writes. What binds
// is the value (a text, a tick, a selected index, a state to show), not the
// widget: the window implements this from its controls, tests from plain
// fields. The state behind what is shown lives in SessionState.
class AtisForm
{
public:
    virtual ~AtisForm() = default;

    // txtICAO
    virtual QString icaoText() const = 0;
    virtual void setIcaoText(const QString& text) = 0;
    // Put the keyboard focus into txtICAO, selecting its whole text when asked.
    virtual void focusIcao(bool selectAll) = 0;

    // txtTemplate
    virtual QString templateText() const = 0;
    virtual void setTemplateText(const QString& text) = 0;

    // lstArriving / lstDeparting: the same identifiers in the same rows,
    // ticks independent between the lists.
    virtual int runwayCount() const = 0;
    virtual QString runwayId(int row) const = 0;
    virtual bool arrivingTicked(int row) const = 0;
    virtual bool departingTicked(int row) const = 0;
    virtual void clearRunways() = 0;
    // Appends an unticked row to both lists.
    virtual void appendRunway(const QString& id) = 0;
    virtual void setArrivingTicked(int row, bool ticked) = 0;
    virtual void setDepartingTicked(int row, bool ticked) = 0;

    // chkVisual / chkLAHSO
    virtual bool visualTicked() const = 0;
    virtual void setVisualTicked(bool ticked) = 0;
    virtual bool lahsoTicked() const = 0;
    virtual void setLahsoTicked(bool ticked) = 0;

    // cboATISCode: the information codes of the letter range; the state is
    // the selected code, as the index of its letter (0 for ALPHA, 25 for
    // ZULU). Selecting a letter outside the range changes nothing.
    virtual int codeIndex() const = 0;
    virtual void setCodeIndex(int index) = 0;
    virtual QString codeText() const = 0;

    // The profile's settings that no control shows, each edited in a dialog
    // of its own: the transition level table, the ATIS type and the letter
    // range. A new range leaves cboATISCode offering only its codes, with the
    // code kept when it is in the range, otherwise the range's first.
    virtual TransitionLevelTable transitionLevels() const = 0;
    virtual void setTransitionLevels(const TransitionLevelTable& table) = 0;
    virtual AtisType atisType() const = 0;
    virtual void setAtisType(AtisType type) = 0;
    virtual LetterRange letterRange() const = 0;
    virtual void setLetterRange(const LetterRange& range) = 0;

    // lblATISCode: "Current Code:" for the code on the air, "Starting Code:"
    // for a code still to be used.
    virtual void showCodeIsCurrent(bool current) = 0;
    // Auto-update running or stopped: cmdStartStop and mnuFileStartStop offer
    // the other, cboATISCode is locked while it runs, and tmrMain ticks
    // exactly while it runs.
    virtual void showAutoUpdate(bool running) = 0;
    // The letter already on the air is being looked up.
    virtual void showLookingUp(bool lookingUp) = 0;

    // txtATIS, txtLastMETAR
    virtual QString atisText() const = 0;
    virtual void setAtisText(const QString& text) = 0;
    virtual void setLastMetarText(const QString& text) = 0;
    // What the check of the ATIS just shown found; empty: nothing.
    virtual void showFindings(const QStringList& findings) = 0;

    // mnuOptionsUpdateATISFile check mark
    virtual bool updateATISFileChecked() const = 0;
    virtual void setUpdateATISFileChecked(bool checked) = 0;
};
