#include "ui/transitionleveldialog.h"

#include "core/dialogs.h"
#include "core/texts.h"
#include "ui/titlebar.h"
#include "ui/uitexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
enum Column
{
    Low,
    High,
    Level
};
// Wider than any QNH met on Earth, and the levels a table names.
constexpr int LowestHpa = 850, HighestHpa = 1100, HighestLevel = 999;

int valueAt(const QTableWidget* table, int row, int column)
{
    return static_cast<const QSpinBox*>(table->cellWidget(row, column))->value();
}
} // namespace

TransitionLevelDialog::TransitionLevelDialog(const TransitionLevelTable& table, Dialogs& dialogs,
                                             QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmTransitionLevel"));
    setWindowTitle(UiTexts::TransitionLevelTitle());

    lstBands = new QTableWidget(0, 3, this);
    lstBands->setObjectName(QStringLiteral("lstBands"));
    lstBands->setHorizontalHeaderLabels(UiTexts::BandColumns());
    lstBands->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    lstBands->verticalHeader()->hide();
    lstBands->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* add = new QPushButton(UiTexts::AddBand(), this);
    add->setObjectName(QStringLiteral("cmdAddBand"));
    auto* remove = new QPushButton(UiTexts::RemoveBand(), this);
    remove->setObjectName(QStringLiteral("cmdRemoveBand"));
    connect(add, &QPushButton::clicked, this, [this] {
        // On from the band above, one level lower: tables run that way.
        const int rows = lstBands->rowCount();
        const int low = rows ? valueAt(lstBands, rows - 1, High) + 1 : 1013;
        addBand({low, std::min(low + 1, HighestHpa),
                 rows ? std::max(valueAt(lstBands, rows - 1, Level) - 10, 1) : 70});
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (lstBands->currentRow() >= 0)
            lstBands->removeRow(lstBands->currentRow());
    });

    cboPresets = new QComboBox(this);
    cboPresets->setObjectName(QStringLiteral("cboPresets"));
    for (const TransitionLevelPreset& preset : TransitionLevelPresets())
        cboPresets->addItem(preset.name);
    auto* presetLabel = new QLabel(UiTexts::StartFromPreset(), this);
    presetLabel->setBuddy(cboPresets);
    auto* usePreset = new QPushButton(UiTexts::UsePreset(), this);
    usePreset->setObjectName(QStringLiteral("cmdUsePreset"));
    connect(usePreset, &QPushButton::clicked, this,
            [this] { showTable(TransitionLevelPresets().at(cboPresets->currentIndex()).table); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TransitionLevelDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch();
    auto* presets = new QHBoxLayout;
    presets->addWidget(presetLabel);
    presets->addWidget(cboPresets, 1);
    presets->addWidget(usePreset);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(presets);
    layout->addWidget(lstBands);
    layout->addLayout(rowButtons);
    layout->addWidget(buttons);

    showTable(table);
    FitTitle(this);
}

void TransitionLevelDialog::showTable(const TransitionLevelTable& table)
{
    lstBands->setRowCount(0);
    for (const TransitionLevelBand& band : table)
        addBand(band);
}

void TransitionLevelDialog::addBand(const TransitionLevelBand& band)
{
    const int row = lstBands->rowCount();
    lstBands->insertRow(row);
    const auto spin = [&](int column, int lowest, int highest, int value) {
        auto* box = new QSpinBox(lstBands);
        box->setRange(lowest, highest);
        box->setValue(value);
        // A screen reader reads the cell by its column and value, as the
        // box shows them ("From hPa 978").
        const QString name = UiTexts::BandColumns().at(column);
        box->setAccessibleName(name);
        auto* cell = new QTableWidgetItem;
        const auto describe = [cell, name](int shown) {
            cell->setData(Qt::AccessibleTextRole, name + QLatin1Char(' ') + QString::number(shown));
        };
        describe(value);
        connect(box, &QSpinBox::valueChanged, lstBands, describe);
        lstBands->setItem(row, column, cell);
        lstBands->setCellWidget(row, column, box);
    };
    spin(Low, LowestHpa, HighestHpa, band.lowHpa);
    spin(High, LowestHpa, HighestHpa, band.highHpa);
    spin(Level, 1, HighestLevel, band.level);
}

TransitionLevelTable TransitionLevelDialog::table() const
{
    TransitionLevelTable table;
    for (int row = 0; row < lstBands->rowCount(); ++row)
        table.append({valueAt(lstBands, row, Low), valueAt(lstBands, row, High),
                      valueAt(lstBands, row, Level)});
    std::stable_sort(table.begin(), table.end(),
                     [](const auto& a, const auto& b) { return a.lowHpa < b.lowHpa; });
    return table;
}

void TransitionLevelDialog::accept()
{
    const QStringList problems = TransitionLevelTableProblems(table());
    if (!problems.isEmpty()) {
        m_dialogs.message(
            UiTexts::TableRefused() + Texts::CrLf + Texts::CrLf + problems.join(Texts::CrLf),
            UiTexts::TransitionLevelTitle(), Dialogs::Icon::Exclamation, Dialogs::Buttons::OK);
        return;
    }
    QDialog::accept();
}
