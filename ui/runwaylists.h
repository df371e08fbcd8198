#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class QListView;
class QStandardItemModel;
class QWidget;

// The two runway check lists: one model of rows, each with an identifier and
// two independent ticks (column 0 landing, column 1 departing), under two
// views that always show the same current row and the same top row.
class RunwayLists : public QObject
{
    Q_OBJECT
public:
    RunwayLists(QWidget* arrivingParent, QWidget* departingParent, QObject* parent = nullptr);

    QListView* arriving() const { return m_arriving; }
    QListView* departing() const { return m_departing; }

    int count() const;
    QString id(int row) const;
    bool arrivingTicked(int row) const;
    bool departingTicked(int row) const;
    void setArrivingTicked(int row, bool ticked);
    void setDepartingTicked(int row, bool ticked);
    void clear();
    void append(const QString& id);

    // The current row of both lists, -1 for none.
    int currentRow() const;
    void setCurrentRow(int row);

    // cmdAddRunway: asks for an identifier until it is valid or the box is
    // cancelled, refuses a duplicate. True when a row was added.
    bool addRunway(Dialogs& dialogs);
    // cmdDelRunway: removes the current row from both lists. True when a row
    // was removed.
    bool deleteCurrentRunway();

Q_SIGNALS:
    // A tick was set or cleared in either list.
    void tickChanged();

private:
    void follow(QListView* from, QListView* to);

    QStandardItemModel* m_model;
    QListView* m_arriving;
    QListView* m_departing;
};
