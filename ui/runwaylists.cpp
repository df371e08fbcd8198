#include "ui/runwaylists.h"

#include "core/dialogs.h"
#include "ui/uitexts.h"

#include <QListView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardItemModel>

namespace {

constexpr int ArrivingColumn = 0;
constexpr int DepartingColumn = 1;

QStandardItem* tickItem(const QString& id)
{
    auto* item = new QStandardItem(id);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    return item;
}

QListView* makeView(QWidget* parent, QStandardItemModel* model, int column)
{
    auto* view = new QListView(parent);
    view->setModel(model);
    view->setModelColumn(column);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Row-by-row scrolling gives both lists the same scroll positions.
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setUniformItemSizes(true);
    return view;
}

} // namespace

RunwayLists::RunwayLists(QWidget* arrivingParent, QWidget* departingParent, QObject* parent)
    : QObject(parent), m_model(new QStandardItemModel(0, 2, this)),
      m_arriving(makeView(arrivingParent, m_model, ArrivingColumn)),
      m_departing(makeView(departingParent, m_model, DepartingColumn))
{
    m_arriving->setObjectName(QStringLiteral("lstArriving"));
    m_departing->setObjectName(QStringLiteral("lstDeparting"));
    follow(m_arriving, m_departing);
    follow(m_departing, m_arriving);
    connect(m_model, &QStandardItemModel::itemChanged, this, [this] { Q_EMIT tickChanged(); });
}

void RunwayLists::follow(QListView* from, QListView* to)
{
    const int toColumn = to->modelColumn();
    connect(from->selectionModel(), &QItemSelectionModel::currentRowChanged, to,
            [this, to, toColumn](const QModelIndex& current) {
                if (to->currentIndex().row() == current.row())
                    return;
                const QModelIndex index =
                    current.isValid() ? m_model->index(current.row(), toColumn) : QModelIndex();
                to->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            });
    connect(from->verticalScrollBar(), &QScrollBar::valueChanged, to->verticalScrollBar(),
            &QScrollBar::setValue);
}

int RunwayLists::count() const
{
    return m_model->rowCount();
}

QString RunwayLists::id(int row) const
{
    const QStandardItem* item = m_model->item(row, ArrivingColumn);
    return item ? item->text() : QString();
}

bool RunwayLists::arrivingTicked(int row) const
{
    const QStandardItem* item = m_model->item(row, ArrivingColumn);
    return item && item->checkState() == Qt::Checked;
}

bool RunwayLists::departingTicked(int row) const
{
    const QStandardItem* item = m_model->item(row, DepartingColumn);
    return item && item->checkState() == Qt::Checked;
}

void RunwayLists::setArrivingTicked(int row, bool ticked)
{
    if (QStandardItem* item = m_model->item(row, ArrivingColumn))
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void RunwayLists::setDepartingTicked(int row, bool ticked)
{
    if (QStandardItem* item = m_model->item(row, DepartingColumn))
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void RunwayLists::clear()
{
    m_model->removeRows(0, m_model->rowCount());
}

void RunwayLists::append(const QString& id)
{
    m_model->appendRow({tickItem(id), tickItem(id)});
}

int RunwayLists::currentRow() const
{
    return m_arriving->currentIndex().row();
}

void RunwayLists::setCurrentRow(int row)
{
    const QModelIndex index = m_model->index(row, ArrivingColumn);
    m_arriving->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_arriving->scrollTo(index);
}

bool RunwayLists::addRunway(Dialogs& dialogs)
{
    static const QRegularExpression pattern(UiTexts::RunwayPattern);
    QString id;
    do {
        id = dialogs.input(UiTexts::EnterRunwayPrompt(), UiTexts::EnterRunwayTitle(), QString());
        if (id.isEmpty())
            return false;
        id = id.toUpper();
    } while (!pattern.match(id).hasMatch());

    for (int row = 0; row < count(); ++row) {
        if (this->id(row) == id) {
            dialogs.message(UiTexts::RunwayExists(), Texts::ErrorTitle, Dialogs::Icon::Exclamation,
                            Dialogs::Buttons::OK);
            return false;
        }
    }
    append(id);
    setCurrentRow(count() - 1);
    return true;
}

bool RunwayLists::deleteCurrentRunway()
{
    const int row = currentRow();
    if (row < 0)
        return false;
    m_model->removeRow(row);
    // Removing the row moves each view's current index on its own; make
    // sure they stay on one row.
    setCurrentRow(m_arriving->currentIndex().row());
    return true;
}
