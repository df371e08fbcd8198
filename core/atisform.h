#pragma once

#include <QString>

// The values of the main window that the engine reads and writes. What binds
// is the value (a text, a tick, a selected index, a caption), not the widget:
// the window implements this from its controls, tests from plain fields.
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

    // cboATISCode: the 26 information codes; the selected index is the state.
    virtual int codeCount() const = 0;
    virtual int codeIndex() const = 0;
    virtual void setCodeIndex(int index) = 0;
    virtual QString codeText() const = 0;
    virtual bool codeListEnabled() const = 0;
    virtual void setCodeListEnabled(bool enabled) = 0;

    // lblATISCode
    virtual QString codeLabel() const = 0;
    virtual void setCodeLabel(const QString& text) = 0;

    // tmrMain: enabled exactly while auto-update runs.
    virtual bool timerEnabled() const = 0;
    virtual void setTimerEnabled(bool enabled) = 0;
    // cmdStartStop and mnuFileStartStop captions.
    virtual void setStartStopCaptions(const QString& button, const QString& menu) = 0;

    // txtATIS, txtLastMETAR
    virtual QString atisText() const = 0;
    virtual void setAtisText(const QString& text) = 0;
    virtual void setLastMetarText(const QString& text) = 0;

    // mnuOptionsUpdateATISFile check mark
    virtual bool updateATISFileChecked() const = 0;
    virtual void setUpdateATISFileChecked(bool checked) = 0;
};
