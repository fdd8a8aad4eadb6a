#pragma once

#include "common/ui/TitledTableModel.h"

#include <QVariant>
#include <QVector>

// A grid model of a list of records, one row each: the texts of a row are
// made once when the rows are set; a subclass says how a row reads
// (`rowTexts`) and may colour or align it.
template <typename Row> class RowsModel : public TitledTableModel {
public:
    using TitledTableModel::TitledTableModel;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= m_rows.size())
            return {};
        const Row& row = m_rows.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
            return displayText(row, index.column(), m_texts.at(index.row()).at(index.column()));
        case Qt::TextAlignmentRole:
            return int(alignment(index.column()));
        case Qt::ForegroundRole:
            return foreground(row);
        case Qt::BackgroundRole:
            return background(row);
        default:
            return otherData(row, index, role);
        }
    }

    void setRows(const QVector<Row>& rows) {
        beginResetModel();
        m_rows = rows;
        m_texts.clear();
        m_texts.reserve(rows.size());
        for (const Row& row : rows)
            m_texts.append(rowTexts(row));
        endResetModel();
    }

    const QVector<Row>& rows() const { return m_rows; }

protected:
    virtual QStringList rowTexts(const Row& row) const = 0;
    // The text shown; the row's text unless a subclass shows a state of its own.
    virtual QVariant displayText(const Row& row, int column, const QString& text) const {
        Q_UNUSED(row)
        Q_UNUSED(column)
        return text;
    }
    virtual Qt::Alignment alignment(int column) const {
        Q_UNUSED(column)
        return Qt::AlignCenter;
    }
    virtual QVariant foreground(const Row& row) const {
        Q_UNUSED(row)
        return {};
    }
    virtual QVariant background(const Row& row) const {
        Q_UNUSED(row)
        return {};
    }
    virtual QVariant otherData(const Row& row, const QModelIndex& index, int role) const {
        Q_UNUSED(row)
        Q_UNUSED(index)
        Q_UNUSED(role)
        return {};
    }

    // Changes one row in place and makes its texts again.
    void replaceRow(int index, const Row& row) {
        m_rows[index] = row;
        m_texts[index] = rowTexts(row);
        emit dataChanged(this->index(index, 0), this->index(index, columnCount() - 1));
    }

private:
    QVector<Row> m_rows;
    QVector<QStringList> m_texts;
};
