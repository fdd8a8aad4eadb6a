#pragma once

#include "data/PrizeTable.h"

#include <QWidget>

class StringGrid;

// The tab listing the prize data: winners and amount of each tier and the
// carry-over, one row per draw in file order.
class TPrizePage : public QWidget {
    Q_OBJECT
public:
    explicit TPrizePage(QWidget* parent = nullptr);

    // Titles and column widths; the grid keeps one empty row.
    void initGrid();
    void fill(const PrizeTable& table);
    void clear();
    StringGrid* grid() const { return m_grid; }

private:
    StringGrid* m_grid;
};
