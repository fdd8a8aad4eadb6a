#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <optional>

// Base of the grids' flat models: a fixed list of columns, each with its title
// in the horizontal header. Subclasses give the rows and the cells.
class TitledTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `headerAlignment` is the titles' alignment; without it the view decides.
    explicit TitledTableModel(QStringList titles,
                              std::optional<Qt::Alignment> headerAlignment = std::nullopt,
                              QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = {}) const final;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_titles;
    std::optional<Qt::Alignment> m_headerAlignment;
};
