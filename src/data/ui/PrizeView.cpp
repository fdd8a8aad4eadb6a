#include "data/ui/PrizeView.h"

#include "common/ui/StringGrid.h"
#include "common/ui/UiFonts.h"

#include <QHeaderView>

TPrizePage::TPrizePage(QWidget* parent)
    : QWidget(parent), m_grid(new StringGrid(kPrizeColumns, StringGrid::Highlight::WhenFocused,
                                             StringGrid::Placement::RightTop, this)) {
    setObjectName(QStringLiteral("TabSheet7"));
    m_grid->setObjectName(QStringLiteral("gridMoney"));
    m_grid->setGeometry(6, 8, 620, 449);
    m_grid->setFont(fixedGothicFont(19));
    m_grid->horizontalHeader()->setFont(fixedGothicFont(15));
    m_grid->setDataRowHeight(22);
    initGrid();
}

void TPrizePage::initGrid() {
    const QString count = QStringLiteral("口数");
    m_grid->setTitles({QStringLiteral("開催回"), count, QStringLiteral("１等金額"), count,
                       QStringLiteral("２等金額"), count, QStringLiteral("３等金額"), count,
                       QStringLiteral("４等金額"), count, QStringLiteral("５等金額"), count,
                       QStringLiteral("６等金額"), QStringLiteral("ｷｬﾘｰｵｰﾊﾞｰ(円)")});
    m_grid->setColumnWidths({80, 80, 150, 80, 150, 80, 150, 80, 150, 80, 150, 80, 150, 220});
}

void TPrizePage::fill(const PrizeTable& table) {
    QVector<QStringList> rows;
    rows.reserve(table.count());
    for (const PrizeRecord& record : table.records())
        rows.append(record.displayTexts());
    m_grid->setRows(std::move(rows));
}

void TPrizePage::clear() {
    m_grid->resetToPlaceholder();
}
