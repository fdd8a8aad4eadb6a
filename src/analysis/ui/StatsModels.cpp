#include "analysis/ui/StatsModels.h"

#include "common/ui/UiColors.h"

#include <algorithm>
#include <cmath>

namespace {

// A z-score this far from 0 takes the full colour.
constexpr double kFullColourDeviations = 3.0;

QStringList pairsHeaders() {
    QStringList titles{QString()};
    for (int n = 1; n <= kMaxNumber; ++n)
        titles.append(QString::number(n));
    return titles;
}

QColor blend(const QColor& from, const QColor& to, double share) {
    const auto mix = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return {mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue())};
}

} // namespace

QColor pairCellColour(double zScore) {
    const double share = std::min(std::abs(zScore) / kFullColourDeviations, 1.0);
    return blend(kWhite, zScore >= 0 ? kStatsMore : kStatsFewer, share);
}

StatsNumbersModel::StatsNumbersModel(QObject* parent)
    : RowsModel(numbersHeaders(), Qt::AlignHCenter | Qt::AlignVCenter, parent) {}

void StatsNumbersModel::setPage(const NumbersPage& page) {
    m_page = page;
    setRows(sorted(QVector<NumberStats>(page.rows.cbegin(), page.rows.cend())));
}

void StatsNumbersModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kNumbersColumns)
        return;
    m_sortColumn = column;
    m_order = order;
    setRows(sorted(rows()));
}

QVector<NumberStats> StatsNumbersModel::sorted(QVector<NumberStats> rows) const {
    const auto column = static_cast<NumbersColumn>(m_sortColumn);
    const bool ascending = m_order == Qt::AscendingOrder;
    std::sort(rows.begin(), rows.end(), [&](const NumberStats& a, const NumberStats& b) {
        const double x = numberSortValue(a, column);
        const double y = numberSortValue(b, column);
        if (x != y)
            return ascending ? x < y : x > y;
        return a.number < b.number;
    });
    return rows;
}

QStringList StatsNumbersModel::rowTexts(const NumberStats& row) const {
    return numberRowTexts(m_page, row);
}

Qt::Alignment StatsNumbersModel::alignment(int column) const {
    const auto which = static_cast<NumbersColumn>(column);
    return which == NumbersColumn::Range || which == NumbersColumn::Verdict ? Qt::AlignHCenter
                                                                            : Qt::AlignRight;
}

QVariant StatsNumbersModel::foreground(const NumberStats& row) const {
    switch (row.verdict) {
    case CountVerdict::More:
        return kStatsMore;
    case CountVerdict::Fewer:
        return kStatsFewer;
    default:
        return {};
    }
}

StatsPairsModel::StatsPairsModel(QObject* parent)
    : RowsModel(pairsHeaders(), Qt::AlignHCenter | Qt::AlignVCenter, parent) {}

void StatsPairsModel::setPage(const PairsPage& page) {
    m_page = page;
    QVector<int> numbers;
    for (int n = 1; n <= kMaxNumber; ++n)
        numbers.append(n);
    setRows(numbers);
}

QStringList StatsPairsModel::rowTexts(const int& number) const {
    QStringList texts{QString::number(number)};
    for (int other = 1; other <= kMaxNumber; ++other)
        texts.append(other == number ? QString() : QString::number(m_page.count(number, other)));
    return texts;
}

QVariant StatsPairsModel::data(const QModelIndex& index, int role) const {
    const int other = index.column(); // column n is number n
    if (!index.isValid() || other == 0 || index.row() >= rows().size() ||
        (role != Qt::BackgroundRole && role != Qt::ToolTipRole))
        return RowsModel::data(index, role);
    const int number = rows().at(index.row());
    if (number == other)
        return role == Qt::BackgroundRole ? QVariant(kStatsDiagonal) : QVariant();
    if (role == Qt::ToolTipRole)
        return pairToolTip(m_page, number, other);
    return pairCellColour(m_page.zScore(number, other));
}

StatsTopPairsModel::StatsTopPairsModel(QObject* parent)
    : RowsModel(topPairsHeaders(), Qt::AlignHCenter | Qt::AlignVCenter, parent) {}

void StatsTopPairsModel::setPage(const PairsPage& page) {
    m_page = page;
    setRows(page.top);
}

QStringList StatsTopPairsModel::rowTexts(const PairStats& row) const {
    return topPairRowTexts(m_page, row);
}

StatsShapeModel::StatsShapeModel(QObject* parent)
    : RowsModel(shapeHeaders(Shape::Sum), Qt::AlignHCenter | Qt::AlignVCenter, parent) {}

void StatsShapeModel::setPage(const ShapePage& page) {
    const bool retitled = page.shape != m_shape;
    m_shape = page.shape;
    setRows(page.rows);
    if (retitled)
        emit headerDataChanged(Qt::Horizontal, 0, 0);
}

QVariant StatsShapeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return shapeName(m_shape);
    return RowsModel::headerData(section, orientation, role);
}

QStringList StatsShapeModel::rowTexts(const ShapeRow& row) const {
    return shapeRowTexts(row);
}

Qt::Alignment StatsShapeModel::alignment(int column) const {
    return column == 0 ? Qt::AlignHCenter : Qt::AlignRight;
}

StatsGapsModel::StatsGapsModel(QObject* parent)
    : RowsModel(gapTableHeaders(), Qt::AlignHCenter | Qt::AlignVCenter, parent) {}

void StatsGapsModel::setTable(const GapTable& table) {
    m_table = table;
    QVector<int> rows;
    for (int row = 0; row < table.rows.size(); ++row)
        rows.append(row);
    rows.append(-1);
    setRows(rows);
}

QStringList StatsGapsModel::rowTexts(const int& row) const {
    return row < 0 ? gapLastRowTexts(m_table) : gapRowTexts(m_table.rows.at(row));
}

QVariant StatsGapsModel::data(const QModelIndex& index, int role) const {
    const int number = index.column(); // column n is number n
    const bool rareCell = index.isValid() && index.row() < rows().size() &&
                          rows().at(index.row()) < 0 && number > 0 && m_table.rare.at(number - 1);
    if (rareCell && role == Qt::BackgroundRole)
        return kStatsRareGap;
    if (rareCell && role == Qt::ForegroundRole)
        return kStatsMore;
    if (rareCell && role == Qt::ToolTipRole)
        return QStringLiteral("%1: %2回続けて出ていません（偶然なら%3の確率）")
            .arg(number)
            .arg(m_table.gaps.at(number - 1))
            .arg(shareText(std::pow(kAbsentChance, m_table.gaps.at(number - 1))));
    return RowsModel::data(index, role);
}
