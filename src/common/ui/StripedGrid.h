#pragma once

#include <QColor>
#include <QStringList>
#include <QTableView>

// A grid that paints its own cells over any table model: striped rows (first
// data row white, second light green, ...), black text, the current row in the
// highlight colour with white text, either always or only while the grid has
// the focus. Rows keep the height set, whatever the font.
class StripedGrid : public QTableView {
    Q_OBJECT
public:
    enum class Highlight { Always, WhenFocused };
    // Centred: both ways; RightTop and CentredTop: at the top without margin.
    enum class Placement { Centred, RightTop, CentredTop };

    StripedGrid(Highlight highlight, Placement placement, QWidget* parent = nullptr);

    void setColumnWidths(const QList<int>& widths);
    void setDataRowHeight(int pixels);

    // The model's texts: rows, one cell, one row, and whether column 0 of the
    // first row holds anything (an empty list is one row of empty cells).
    int dataRowCount() const { return model() ? model()->rowCount() : 0; }
    bool hasData() const { return !cell(0, 0).isEmpty(); }
    QString cell(int row, int column) const;
    QStringList rowCells(int row) const;

    int currentDataRow() const;
    void setCurrentDataRow(int row);

    // The colours a data cell of this row is painted with now.
    QColor backgroundOf(int row) const;
    QColor textColourOf(int row) const;
    Placement placement() const { return m_placement; }
    // Whether the row is painted in the highlight colours now.
    bool isHighlighted(int row) const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    Highlight m_highlight;
    Placement m_placement;
};

// The rectangle a cell's text is laid out in. Top placements put the line at
// the top of the cell; where the font's line is taller than the row, the room
// above the glyphs is given up, so that the glyphs and what hangs below the
// baseline (commas) stay inside the row.
QRect cellTextRect(const QRect& cell, int lineHeight, StripedGrid::Placement placement);
