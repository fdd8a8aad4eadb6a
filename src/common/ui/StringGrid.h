#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QTableView>
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

// A text grid that paints its own cells: striped rows (first data row white,
// second light green, ...), black text, the current row in the highlight
// colour with white text, either always or only while the grid has the focus.
class StringGrid : public QTableView {
    Q_OBJECT
public:
    enum class Highlight { Always, WhenFocused };
    // Centred: both ways; RightTop and CentredTop: at the top without margin.
    enum class Placement { Centred, RightTop, CentredTop };

    StringGrid(int columns, Highlight highlight, Placement placement, QWidget* parent = nullptr);

    StringGridModel* gridModel() const { return m_model; }
    void setTitles(const QStringList& titles) { m_model->setTitles(titles); }
    void setColumnWidths(const QList<int>& widths);
    void setDataRowHeight(int pixels);

    int dataRowCount() const { return m_model->rowCount(); }
    bool hasData() const { return !m_model->cell(0, 0).isEmpty(); }
    QString cell(int row, int column) const { return m_model->cell(row, column); }
    QStringList rowCells(int row) const { return m_model->rowCells(row); }
    const QVector<QStringList>& dataRows() const { return m_model->rows(); }
    void appendRow(const QStringList& cells = {}) { m_model->appendRow(cells); }
    void removeRowAt(int row) { m_model->removeRowAt(row); }
    void setRows(QVector<QStringList> rows);
    void resetToPlaceholder() { setRows({}); }

    int currentDataRow() const;
    void setCurrentDataRow(int row);

    // The colours a data cell of this row is painted with now.
    QColor backgroundOf(int row) const;
    QColor textColourOf(int row) const;
    Placement placement() const { return m_placement; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    bool isHighlighted(int row) const;
    StringGridModel* m_model;
    Highlight m_highlight;
    Placement m_placement;
};
