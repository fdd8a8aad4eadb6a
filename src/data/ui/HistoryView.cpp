#include "data/ui/HistoryView.h"

#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "data/HistoryOrder.h"

#include <QBrush>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

#include <array>

namespace {
// Where each control sits, in pixels of its parent.
namespace geometry {
constexpr QRect kView{6, 8, 620, 449};
} // namespace geometry

const QStringList kTitles = {
    QStringLiteral("開催回"), QStringLiteral("抽選日付"), QStringLiteral("①"), QStringLiteral("②"),
    QStringLiteral("③"),      QStringLiteral("④"),        QStringLiteral("⑤"), QStringLiteral("⑥"),
    QStringLiteral("⑦"),      QStringLiteral("B1"),       QStringLiteral("B2")};
constexpr std::array<int, kHistoryColumns> kWidths = {75, 118, 45, 45, 45, 45, 45, 45, 45, 45, 45};
} // namespace

HistoryModel::HistoryModel(QObject* parent) : TitledTableModel(kTitles, std::nullopt, parent) {}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_table)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return historyCellText(m_table->at(m_order.at(index.row())), index.column());
    case Qt::TextAlignmentRole:
        return index.column() == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        // Stripes follow the display position, not the draw.
        return QBrush(index.row() % 2 == 0 ? kWhite : kStripeGreen);
    case Qt::ForegroundRole:
        return QBrush(kBlack);
    default:
        return {};
    }
}

void HistoryModel::setTable(const DrawTable* table) {
    beginResetModel();
    m_table = table;
    m_order.clear();
    if (table) {
        m_order.resize(table->count());
        for (int i = 0; i < table->count(); ++i)
            m_order[i] = i;
    }
    endResetModel();
}

void HistoryModel::sortByKey(int key) {
    if (!m_table)
        return;
    emit layoutAboutToBeChanged();
    const QVector<int> previous = m_order;
    m_order = historyOrder(*m_table, key);
    // The selection and the current row stay with their draws.
    QVector<int> rowOfDraw(m_order.size());
    for (int row = 0; row < m_order.size(); ++row)
        rowOfDraw[m_order.at(row)] = row;
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(index.isValid()
                      ? createIndex(rowOfDraw.at(previous.at(index.row())), index.column())
                      : QModelIndex());
    changePersistentIndexList(from, to);
    emit layoutChanged();
}

THistoryPage::THistoryPage(QWidget* parent)
    : QWidget(parent), m_view(new QTableView(this)), m_model(new HistoryModel(this)) {
    setObjectName(QStringLiteral("TabSheet6"));
    m_view->setObjectName(QStringLiteral("viewHistory"));
    m_view->setGeometry(geometry::kView);
    m_view->setModel(m_model);
    m_view->setFont(fixedGothicFont(19));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setShowGrid(true);
    m_view->setWordWrap(false);
    m_view->setSortingEnabled(false); // sorting follows the sort key, not the view
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Rows as high as the font's line and two pixels above and below, so that
    // the text is whole in whatever font the system substitutes. Set as the
    // minimum too: the hidden row header would otherwise raise its own from
    // its font when the page is first shown.
    const int rowHeight = QFontMetrics(m_view->font()).height() + 4;
    m_view->verticalHeader()->setMinimumSectionSize(rowHeight);
    m_view->verticalHeader()->setDefaultSectionSize(rowHeight);
    QHeaderView* header = m_view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setFont(gothicFont(12));
    for (int column = 0; column < kHistoryColumns; ++column)
        m_view->setColumnWidth(column, kWidths[column]);
    connect(header, &QHeaderView::sectionClicked, this, &THistoryPage::viewHistoryColumnClick);
}

void THistoryPage::fill(const DrawTable& table) {
    m_model->setTable(&table);
    if (m_model->rowCount() > 0) {
        m_view->selectRow(0);
        m_view->scrollToTop();
    }
}

void THistoryPage::clear() {
    m_model->setTable(nullptr);
}

void THistoryPage::viewHistoryColumnClick(int column) {
    m_sortKey = nextHistorySortKey(m_sortKey, column);
    m_model->sortByKey(m_sortKey);
}
