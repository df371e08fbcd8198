#include "ui/atistypedialog.h"

#include "core/dialogs.h"
#include "core/informationcodes.h"
#include "ui/titlebar.h"
#include "ui/uitexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

AtisTypeDialog::AtisTypeDialog(AtisType type, const LetterRange& letters, Dialogs& dialogs,
                               QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmAtisType"));
    setWindowTitle(UiTexts::AtisTypeTitle());

    // In the order of AtisType.
    cboAtisType = new QComboBox(this);
    cboAtisType->setObjectName(QStringLiteral("cboAtisType"));
    cboAtisType->addItems(UiTexts::AtisTypes());
    cboAtisType->setCurrentIndex(int(type));
    const auto letterList = [this](const char* name, int letter) {
        auto* list = new QComboBox(this);
        list->setObjectName(QString::fromLatin1(name));
        list->addItems(InformationCodes());
        list->setCurrentIndex(letter);
        return list;
    };
    cboFirstLetter = letterList("cboFirstLetter", letters.first);
    cboLastLetter = letterList("cboLastLetter", letters.last);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &AtisTypeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow(UiTexts::AtisTypeLabel(), cboAtisType);
    layout->addRow(UiTexts::FirstLetterLabel(), cboFirstLetter);
    layout->addRow(UiTexts::LastLetterLabel(), cboLastLetter);
    layout->addRow(buttons);
    FitTitle(this);
}

AtisType AtisTypeDialog::type() const
{
    return AtisType(cboAtisType->currentIndex());
}

LetterRange AtisTypeDialog::letters() const
{
    return {cboFirstLetter->currentIndex(), cboLastLetter->currentIndex()};
}

void AtisTypeDialog::accept()
{
    if (letters().last < letters().first) {
        m_dialogs.message(UiTexts::LettersReversed(), UiTexts::AtisTypeTitle(),
                          Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
        return;
    }
    QDialog::accept();
}
