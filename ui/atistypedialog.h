#pragma once

#include "core/atistype.h"

#include <QDialog>

class Dialogs;
class QComboBox;

// Options > ATIS Type and Letters: whether the profile's ATIS is combined,
// for arrivals or for departures, and the letters it uses. OK refuses a
// range whose last letter comes before its first, and keeps the dialog open.
class AtisTypeDialog : public QDialog
{
    Q_OBJECT
public:
    AtisTypeDialog(AtisType type, const LetterRange& letters, Dialogs& dialogs, QWidget* parent);

    AtisType type() const;
    LetterRange letters() const;
    void accept() override;

private:
    Dialogs& m_dialogs;
    QComboBox* cboAtisType = nullptr;
    QComboBox* cboFirstLetter = nullptr;
    QComboBox* cboLastLetter = nullptr;
};
