#pragma once

#include "common/ui/TitledTableModel.h"
#include "data/PrizeTable.h"

#include <QWidget>

class StripedGrid;

// The prize table as rows of the prize grid, formatted as they are shown.
// Without a table it is one row of empty cells, as every grid keeps one row.
class PrizeModel : public TitledTableModel {
    Q_OBJECT
public:
    explicit PrizeModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Shows the table, which must outlive the model or be replaced first;
    // nullptr leaves the one empty row.
    void setTable(const PrizeTable* table);

private:
    const PrizeTable* m_table = nullptr;
};

// The tab listing the prize data: winners and amount of each tier and the
// carry-over, one row per draw in file order.
class TPrizePage : public QWidget {
    Q_OBJECT
public:
    explicit TPrizePage(QWidget* parent = nullptr);

    // Column widths; the grid keeps one empty row.
    void initControls();
    void fill(const PrizeTable& table);
    void clear();
    StripedGrid* grid() const { return m_grid; }
    PrizeModel* model() const { return m_model; }

private:
    StripedGrid* m_grid;
    PrizeModel* m_model;
};
