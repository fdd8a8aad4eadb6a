#include "data/ui/PrizeView.h"

#include "common/ui/StripedGrid.h"
#include "common/ui/UiFonts.h"

#include <QHeaderView>

namespace {
// Where each control sits, in pixels of its parent.
namespace geometry {
constexpr QRect kGrid{6, 8, 620, 449};
} // namespace geometry

const QStringList kTitles = {
    QStringLiteral("開催回"),   QStringLiteral("口数"),         QStringLiteral("１等金額"),
    QStringLiteral("口数"),     QStringLiteral("２等金額"),     QStringLiteral("口数"),
    QStringLiteral("３等金額"), QStringLiteral("口数"),         QStringLiteral("４等金額"),
    QStringLiteral("口数"),     QStringLiteral("５等金額"),     QStringLiteral("口数"),
    QStringLiteral("６等金額"), QStringLiteral("ｷｬﾘｰｵｰﾊﾞｰ(円)")};
} // namespace

PrizeModel::PrizeModel(QObject* parent)
    : TitledTableModel(kTitles, Qt::AlignHCenter | Qt::AlignTop, parent) {}

int PrizeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_table && !m_table->isEmpty() ? m_table->count() : 1;
}

QVariant PrizeModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    if (!m_table || index.row() >= m_table->count())
        return QString(); // the empty row
    return m_table->at(index.row()).displayText(index.column());
}

void PrizeModel::setTable(const PrizeTable* table) {
    beginResetModel();
    m_table = table;
    endResetModel();
}

TPrizePage::TPrizePage(QWidget* parent)
    : QWidget(parent), m_grid(new StripedGrid(StripedGrid::Highlight::WhenFocused,
                                              StripedGrid::Placement::RightTop, this)),
      m_model(new PrizeModel(this)) {
    setObjectName(QStringLiteral("TabSheet7"));
    m_grid->setObjectName(QStringLiteral("gridMoney"));
    m_grid->setGeometry(geometry::kGrid);
    m_grid->setModel(m_model);
    m_grid->setFont(fixedGothicFont(19));
    m_grid->horizontalHeader()->setFont(fixedGothicFont(15));
    m_grid->setDataRowHeight(22);
    initControls();
    m_grid->setCurrentDataRow(0);
}

void TPrizePage::initControls() {
    m_grid->setColumnWidths({80, 80, 150, 80, 150, 80, 150, 80, 150, 80, 150, 80, 150, 220});
}

void TPrizePage::fill(const PrizeTable& table) {
    m_model->setTable(&table);
    m_grid->setCurrentDataRow(0);
}

void TPrizePage::clear() {
    m_model->setTable(nullptr);
    m_grid->setCurrentDataRow(0);
}
