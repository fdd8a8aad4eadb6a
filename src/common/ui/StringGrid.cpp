#include "common/ui/StringGrid.h"

#include "common/ui/UiFonts.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

StringGridModel::StringGridModel(int columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns) {
    m_rows.append(normalised({}));
}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::DisplayRole && index.isValid())
        return m_rows.at(index.row()).at(index.column());
    return {};
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return section < m_titles.size() ? m_titles.at(section) : QString();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignHCenter | Qt::AlignTop);
    return {};
}

void StringGridModel::setTitles(const QStringList& titles) {
    m_titles = titles;
    emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

QString StringGridModel::cell(int row, int column) const {
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return {};
    return m_rows.at(row).at(column);
}

void StringGridModel::setRowCells(int row, const QStringList& cells) {
    if (row < 0 || row >= m_rows.size())
        return;
    m_rows[row] = normalised(cells);
    emit dataChanged(index(row, 0), index(row, m_columns - 1));
}

void StringGridModel::appendRow(const QStringList& cells) {
    const int row = static_cast<int>(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.append(normalised(cells));
    endInsertRows();
}

void StringGridModel::removeRowAt(int row) {
    if (row < 0 || row >= m_rows.size())
        return;
    if (m_rows.size() == 1) { // the grid keeps one row: empty it instead
        setRowCells(0, {});
        return;
    }
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void StringGridModel::setRows(QVector<QStringList> rows) {
    beginResetModel();
    for (QStringList& cells : rows)
        cells = normalised(std::move(cells));
    m_rows = std::move(rows);
    if (m_rows.isEmpty())
        m_rows.append(normalised({}));
    endResetModel();
}

QStringList StringGridModel::normalised(QStringList cells) const {
    while (cells.size() < m_columns)
        cells.append(QString());
    if (cells.size() > m_columns)
        cells.erase(cells.begin() + m_columns, cells.end());
    return cells;
}

namespace {

// Paints every cell itself, so that stripes and the current row look the same
// whatever the style does with selections.
class StringGridDelegate : public QStyledItemDelegate {
public:
    explicit StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        painter->save();
        painter->fillRect(option.rect, m_grid->backgroundOf(row));
        painter->setPen(m_grid->textColourOf(row));
        painter->setFont(option.font);
        int flags = Qt::TextSingleLine;
        switch (m_grid->placement()) {
        case StringGrid::Placement::Centred:
            flags |= Qt::AlignCenter;
            break;
        case StringGrid::Placement::RightTop:
            flags |= Qt::AlignRight | Qt::AlignTop;
            break;
        case StringGrid::Placement::CentredTop:
            flags |= Qt::AlignHCenter | Qt::AlignTop;
            break;
        }
        painter->setClipRect(option.rect);
        painter->drawText(option.rect, flags, index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

private:
    StringGrid* m_grid;
};

} // namespace

StringGrid::StringGrid(int columns, Highlight highlight, Placement placement, QWidget* parent)
    : QTableView(parent), m_model(new StringGridModel(columns, this)), m_highlight(highlight),
      m_placement(placement) {
    setModel(m_model);
    setItemDelegate(new StringGridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(8);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
    setCurrentDataRow(0);
}

void StringGrid::setColumnWidths(const QList<int>& widths) {
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths.at(column));
}

void StringGrid::setDataRowHeight(int pixels) {
    verticalHeader()->setDefaultSectionSize(pixels);
}

void StringGrid::setRows(QVector<QStringList> rows) {
    m_model->setRows(std::move(rows));
    setCurrentDataRow(0);
}

int StringGrid::currentDataRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : 0;
}

void StringGrid::setCurrentDataRow(int row) {
    if (row < 0 || row >= dataRowCount())
        return;
    int column = 0;
    while (column < m_model->columnCount() - 1 && isColumnHidden(column))
        ++column;
    const QModelIndex target = m_model->index(row, column);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
    scrollTo(target);
}

bool StringGrid::isHighlighted(int row) const {
    if (row != currentDataRow())
        return false;
    return m_highlight == Highlight::Always || hasFocus();
}

QColor StringGrid::backgroundOf(int row) const {
    if (isHighlighted(row))
        return palette().color(QPalette::Active, QPalette::Highlight);
    return row % 2 == 0 ? QColor(Qt::white) : kStripeGreen;
}

QColor StringGrid::textColourOf(int row) const {
    return isHighlighted(row) ? QColor(Qt::white) : QColor(Qt::black);
}

void StringGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
}

void StringGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    viewport()->update();
}
