#include "common/ui/StringGrid.h"

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

StringGrid::StringGrid(int columns, Highlight highlight, Placement placement, QWidget* parent)
    : StripedGrid(highlight, placement, parent), m_model(new StringGridModel(columns, this)) {
    setModel(m_model);
    setCurrentDataRow(0);
}

void StringGrid::setRows(QVector<QStringList> rows) {
    m_model->setRows(std::move(rows));
    setCurrentDataRow(0);
}
