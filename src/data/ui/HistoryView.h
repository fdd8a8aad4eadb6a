#pragma once

#include "common/ui/TitledTableModel.h"
#include "data/DrawTable.h"

#include <QVector>
#include <QWidget>

class QTableView;

// The draws of the table as rows of the history list, in a display order of
// their own; the table itself is never reordered.
class HistoryModel : public TitledTableModel {
    Q_OBJECT
public:
    explicit HistoryModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Shows the table in its own order; nullptr empties the list.
    void setTable(const DrawTable* table);
    // Re-sorts the rows under a sort key (0: table order).
    void sortByKey(int key);

private:
    const DrawTable* m_table = nullptr;
    QVector<int> m_order;
};

// The tab listing every draw: number, date, seven main and two bonus numbers.
// A header click sorts by that column, a second click on it reverses.
class THistoryPage : public QWidget {
    Q_OBJECT
public:
    explicit THistoryPage(QWidget* parent = nullptr);

    // Fills the list from the table in table order and selects the top row;
    // the sort key is kept.
    void fill(const DrawTable& table);
    void clear();

    // The sort key back to 0, the table order, for the next fill.
    void initControls() { m_sortKey = 0; }
    int historySortKey() const { return m_sortKey; }
    QTableView* view() const { return m_view; }
    HistoryModel* model() const { return m_model; }

    void viewHistoryColumnClick(int column);

private:
    QTableView* m_view;
    HistoryModel* m_model;
    int m_sortKey = 0;
};
