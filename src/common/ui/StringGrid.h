#pragma once

#include "common/ui/StripedGrid.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// Rows of text cells under a title row. There is always at least one data row:
// an empty list is one row whose cells are all empty, and the list holds data
// when column 0 of its first row is not empty.
class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StringGridModel(int columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setTitles(const QStringList& titles);
    QString cell(int row, int column) const;
    QStringList rowCells(int row) const { return m_rows.at(row); }
    void setRowCells(int row, const QStringList& cells);
    void appendRow(const QStringList& cells = {});
    void removeRowAt(int row);
    // Replaces all rows; an empty list leaves the one empty row.
    void setRows(QVector<QStringList> rows);
    void resetToPlaceholder() { setRows({}); }
    const QVector<QStringList>& rows() const { return m_rows; }

private:
    QStringList normalised(QStringList cells) const;
    int m_columns;
    QStringList m_titles;
    QVector<QStringList> m_rows;
};

// A grid of text rows held by its own StringGridModel.
class StringGrid : public StripedGrid {
    Q_OBJECT
public:
    StringGrid(int columns, Highlight highlight, Placement placement, QWidget* parent = nullptr);

    StringGridModel* gridModel() const { return m_model; }
    void setTitles(const QStringList& titles) { m_model->setTitles(titles); }

    const QVector<QStringList>& dataRows() const { return m_model->rows(); }
    void appendRow(const QStringList& cells = {}) { m_model->appendRow(cells); }
    void removeRowAt(int row) { m_model->removeRowAt(row); }
    void setRows(QVector<QStringList> rows);
    void resetToPlaceholder() { setRows({}); }

private:
    StringGridModel* m_model;
};
