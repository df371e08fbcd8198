#pragma once

#include "core/transitionlevel.h"

#include <QDialog>

class Dialogs;
class QComboBox;
class QTableWidget;

// Options > Transition Level: edits a profile's transition level table, one
// row per band of QNH, starting from nothing, the table it was given or a
// preset. OK refuses a table with a gap or an overlap, saying which hPa
// values are uncovered or doubled, and keeps the dialog open; no rows at all
// is a table too (the profile then has none, and %tl% stays empty).
class TransitionLevelDialog : public QDialog
{
    Q_OBJECT
public:
    TransitionLevelDialog(const TransitionLevelTable& table, Dialogs& dialogs, QWidget* parent);

    // The rows as they stand, in QNH order.
    TransitionLevelTable table() const;
    void accept() override;

private:
    void showTable(const TransitionLevelTable& table);
    void addBand(const TransitionLevelBand& band);

    Dialogs& m_dialogs;
    QTableWidget* lstBands = nullptr;
    QComboBox* cboPresets = nullptr;
};
