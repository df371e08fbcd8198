#pragma once

#include "core/profile.h"

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

    // The profile the window shows: txtICAO, txtTemplate, the rows and
    // ticks of lstArriving and lstDeparting, chkVisual, chkLAHSO, and the
    // settings that only their dialogs show (the transition level table, the
    // ATIS type and the letter range). Shown whole: a new letter range leaves
    // cboATISCode offering only its codes, with the code kept when it is in
    // the range, otherwise the range's first.
    virtual Profile profile() const = 0;
    virtual void setProfile(const Profile& profile) = 0;
    // Put the keyboard focus into txtICAO, selecting its whole text when asked.
    virtual void focusIcao(bool selectAll) = 0;

    // cboATISCode: the information codes of the letter range; the state is
    // the selected code, as the index of its letter (0 for ALPHA, 25 for
    // ZULU). Selecting a letter outside the range changes nothing.
    virtual int codeIndex() const = 0;
    virtual void setCodeIndex(int index) = 0;
    virtual QString codeText() const = 0;

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
};
