#pragma once

#include "analysis/StatsPages.h"
#include "common/ui/RowsModel.h"

#include <QVector>

// The grids of the statistics box, each over one page of StatsPages.

// One row per number; sorted by a column title's click, by what the column
// means (numberSortValue), ties by the number.
class StatsNumbersModel : public RowsModel<NumberStats> {
    Q_OBJECT
public:
    explicit StatsNumbersModel(QObject* parent = nullptr);
    // Shows the page in the order last asked for.
    void setPage(const NumbersPage& page);
    void sort(int column, Qt::SortOrder order) override;

protected:
    QStringList rowTexts(const NumberStats& row) const override;
    Qt::Alignment alignment(int column) const override;
    QVariant foreground(const NumberStats& row) const override;

private:
    QVector<NumberStats> sorted(QVector<NumberStats> rows) const;
    NumbersPage m_page;
    int m_sortColumn = 0;
    Qt::SortOrder m_order = Qt::AscendingOrder;
};

// The pairs as a 37 x 37 heat map: a row per number (its number first), each
// cell the draws with both numbers, its colour the distance from chance.
class StatsPairsModel : public RowsModel<int> {
    Q_OBJECT
public:
    explicit StatsPairsModel(QObject* parent = nullptr);
    void setPage(const PairsPage& page);
    QVariant data(const QModelIndex& index, int role) const override;

protected:
    QStringList rowTexts(const int& number) const override;

private:
    PairsPage m_page;
};

// The most frequent pairs.
class StatsTopPairsModel : public RowsModel<PairStats> {
    Q_OBJECT
public:
    explicit StatsTopPairsModel(QObject* parent = nullptr);
    void setPage(const PairsPage& page);

protected:
    QStringList rowTexts(const PairStats& row) const override;

private:
    PairsPage m_page;
};

// One shape's values; the first column is titled by the shape.
class StatsShapeModel : public RowsModel<ShapeRow> {
    Q_OBJECT
public:
    explicit StatsShapeModel(QObject* parent = nullptr);
    void setPage(const ShapePage& page);
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    QStringList rowTexts(const ShapeRow& row) const override;
    Qt::Alignment alignment(int column) const override;

private:
    Shape m_shape = Shape::Sum;
};

// The gap table: a row per draw (an index of the table's rows), then the row
// of current gaps (-1) with the rare ones marked.
class StatsGapsModel : public RowsModel<int> {
    Q_OBJECT
public:
    explicit StatsGapsModel(QObject* parent = nullptr);
    void setTable(const GapTable& table);
    QVariant data(const QModelIndex& index, int role) const override;

protected:
    QStringList rowTexts(const int& row) const override;

private:
    GapTable m_table;
};

// The colour of a pair's cell: white at the expectation, towards red above
// it and blue below, full at three standard deviations.
QColor pairCellColour(double zScore);
