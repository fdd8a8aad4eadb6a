#include "common/ui/TitledTableModel.h"

#include <utility>

TitledTableModel::TitledTableModel(QStringList titles, std::optional<Qt::Alignment> headerAlignment,
                                   QObject* parent)
    : QAbstractTableModel(parent), m_titles(std::move(titles)), m_headerAlignment(headerAlignment) {
}

int TitledTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
}

QVariant TitledTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return section >= 0 && section < m_titles.size() ? m_titles.at(section) : QString();
    if (role == Qt::TextAlignmentRole && m_headerAlignment)
        return int(*m_headerAlignment);
    return {};
}
