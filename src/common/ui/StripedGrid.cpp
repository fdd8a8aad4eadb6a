#include "common/ui/StripedGrid.h"

#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

QRect cellTextRect(const QRect& cell, int lineHeight, StripedGrid::Placement placement) {
    if (placement == StripedGrid::Placement::Centred || lineHeight <= cell.height())
        return cell;
    return cell.adjusted(0, cell.height() - lineHeight, 0, 0);
}

namespace {

// Paints every cell itself, so that stripes and the current row look the same
// whatever the style does with selections.
class StripedGridDelegate : public QStyledItemDelegate {
public:
    explicit StripedGridDelegate(StripedGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        // A model may colour rows of its own (Qt::BackgroundRole and
        // Qt::ForegroundRole); the current row keeps the highlight colours.
        QColor background = m_grid->backgroundOf(row);
        QColor text = m_grid->textColourOf(row);
        if (!m_grid->isHighlighted(row)) {
            if (const QVariant own = index.data(Qt::BackgroundRole); own.canConvert<QColor>())
                background = own.value<QColor>();
            if (const QVariant own = index.data(Qt::ForegroundRole); own.canConvert<QColor>())
                text = own.value<QColor>();
        }
        painter->fillRect(option.rect, background);
        const QRect textArea = paintCheckBox(painter, option, index);
        // An empty cell has no text to place: its font need not even be loaded.
        const QString display = index.data(Qt::DisplayRole).toString();
        if (display.isEmpty())
            return;
        painter->save();
        painter->setPen(text);
        painter->setFont(option.font);
        int flags = Qt::TextSingleLine;
        switch (m_grid->placement()) {
        case StripedGrid::Placement::Centred:
            flags |= Qt::AlignCenter;
            break;
        case StripedGrid::Placement::RightTop:
            flags |= Qt::AlignRight | Qt::AlignTop;
            break;
        case StripedGrid::Placement::CentredTop:
            flags |= Qt::AlignHCenter | Qt::AlignTop;
            break;
        }
        // A model's own horizontal alignment of a cell replaces the grid's.
        if (const QVariant own = index.data(Qt::TextAlignmentRole); own.isValid()) {
            const int horizontal = own.toInt() & Qt::AlignHorizontal_Mask;
            if (horizontal != 0)
                flags = (flags & ~int(Qt::AlignHorizontal_Mask)) | horizontal;
        }
        painter->setClipRect(option.rect);
        const QRect textRect =
            cellTextRect(textArea, QFontMetrics(option.font).height(), m_grid->placement());
        painter->drawText(textRect, flags, display);
        painter->restore();
    }

private:
    // A cell the user can tick (Qt::CheckStateRole): its box where the style
    // places it, which is where a click toggles it. Returns the room left for
    // the text.
    QRect paintCheckBox(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
        if (!index.data(Qt::CheckStateRole).isValid())
            return option.rect;
        QStyleOptionViewItem box = option;
        initStyleOption(&box, index);
        const QStyle* style = m_grid->style();
        box.rect = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &box, m_grid);
        box.state &= ~QStyle::State_HasFocus;
        box.state |= box.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, m_grid);
        return option.rect.adjusted(box.rect.right() + 4 - option.rect.left(), 0, 0, 0);
    }

    StripedGrid* m_grid;
};

} // namespace

StripedGrid::StripedGrid(Highlight highlight, Placement placement, QWidget* parent)
    : QTableView(parent), m_highlight(highlight), m_placement(placement) {
    setItemDelegate(new StripedGridDelegate(this));
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
    pal.setColor(QPalette::Base, kWhite);
    setPalette(pal);
}

void StripedGrid::setColumnWidths(const QList<int>& widths) {
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths.at(column));
}

void StripedGrid::setDataRowHeight(int pixels) {
    // The hidden row header takes the grid's font; left alone, a large font
    // raises its minimum section size above the height set here when the page
    // is first shown.
    verticalHeader()->setMinimumSectionSize(pixels);
    verticalHeader()->setDefaultSectionSize(pixels);
}

QString StripedGrid::cell(int row, int column) const {
    return model() ? model()->index(row, column).data(Qt::DisplayRole).toString() : QString();
}

QStringList StripedGrid::rowCells(int row) const {
    QStringList cells;
    const int columns = model() ? model()->columnCount() : 0;
    for (int column = 0; column < columns; ++column)
        cells.append(cell(row, column));
    return cells;
}

int StripedGrid::currentDataRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : 0;
}

void StripedGrid::setCurrentDataRow(int row) {
    if (!model() || row < 0 || row >= dataRowCount())
        return;
    int column = 0;
    while (column < model()->columnCount() - 1 && isColumnHidden(column))
        ++column;
    const QModelIndex target = model()->index(row, column);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
    // The top row needs no layout to be brought into view.
    if (row == 0)
        verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    else
        scrollTo(target);
}

bool StripedGrid::isHighlighted(int row) const {
    // A grid that lets several rows be chosen shows each of them.
    const bool chosen = row == currentDataRow() ||
                        (selectionMode() == QAbstractItemView::ExtendedSelection &&
                         selectionModel() != nullptr && selectionModel()->isRowSelected(row, {}));
    if (!chosen)
        return false;
    return m_highlight == Highlight::Always || hasFocus();
}

QColor StripedGrid::backgroundOf(int row) const {
    if (isHighlighted(row))
        return palette().color(QPalette::Active, QPalette::Highlight);
    return row % 2 == 0 ? kWhite : kStripeGreen;
}

QColor StripedGrid::textColourOf(int row) const {
    return isHighlighted(row) ? kWhite : kBlack;
}

void StripedGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
}

void StripedGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void StripedGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    viewport()->update();
}
