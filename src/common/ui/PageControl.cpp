#include "common/ui/PageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStylePainter>

#include <utility>

TPageControl::TPageControl(QWidget* parent) : QWidget(parent), m_stack(new QStackedWidget(this)) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    m_stack->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    // The hand cursor is for the tabs only, not for the pages.
    setCursor(Qt::PointingHandCursor);
    m_stack->setCursor(Qt::ArrowCursor);
}

int TPageControl::addTab(QWidget* page, const QString& caption) {
    const int index = m_stack->addWidget(page);
    m_captions.append(caption);
    m_builders.append(nullptr);
    layoutTabs();
    if (m_current < 0)
        setCurrentIndex(index);
    return index;
}

int TPageControl::addTab(const QString& caption, std::function<QWidget*()> build) {
    const int index = addTab(new QWidget(), caption);
    m_builders[index] = std::move(build);
    if (index == m_current)
        buildPage(index); // the first tab shows at once
    return index;
}

bool TPageControl::isPageBuilt(int index) const {
    return index >= 0 && index < m_builders.size() && !m_builders.at(index);
}

QWidget* TPageControl::buildPage(int index) {
    if (index < 0 || index >= count())
        return nullptr;
    if (!m_builders.at(index))
        return widget(index);
    const auto build = std::exchange(m_builders[index], nullptr);
    QWidget* standIn = widget(index);
    QWidget* page = build();
    m_stack->insertWidget(index, page);
    m_stack->removeWidget(standIn);
    delete standIn;
    return page;
}

int TPageControl::count() const {
    return m_stack->count();
}

QWidget* TPageControl::currentWidget() const {
    return m_stack->currentWidget();
}

QWidget* TPageControl::widget(int index) const {
    return m_stack->widget(index);
}

int TPageControl::indexOf(const QWidget* page) const {
    return m_stack->indexOf(const_cast<QWidget*>(page));
}

QRect TPageControl::tabRect(int index) const {
    return m_rects.value(index);
}

void TPageControl::setCurrentIndex(int index) {
    if (index < 0 || index >= count() || index == m_current)
        return;
    buildPage(index);
    m_current = index;
    m_stack->setCurrentIndex(index);
    update();
    emit currentChanged(index);
}

int TPageControl::stripHeight() const {
    int bottom = 0;
    for (const QRect& rect : m_rects)
        bottom = qMax(bottom, rect.bottom() + 1);
    return bottom;
}

void TPageControl::layoutTabs() {
    // Fill rows from the left; a tab that does not fit starts the next row.
    // Each row's tabs are then widened to fill the whole width.
    // Measuring (loading the font, shaping Japanese text) costs far more than
    // the rest of the layout: the height and each caption are measured once
    // per font.
    const QFontMetrics metrics(font());
    if (m_measuredFont != font() || m_measuredRowHeight == 0) {
        m_measuredFont = font();
        m_measuredRowHeight = metrics.height() + 6;
        m_naturalWidths.clear();
    }
    m_rowHeight = m_measuredRowHeight;
    while (m_naturalWidths.size() < m_captions.size())
        m_naturalWidths.append(metrics.horizontalAdvance(m_captions.at(m_naturalWidths.size())) +
                               20);
    const QList<int>& natural = m_naturalWidths;
    const int available = qMax(1, width() - 4);
    QList<QList<int>> rows(1);
    int used = 0;
    for (int i = 0; i < m_captions.size(); ++i) {
        const int w = natural.at(i);
        if (used > 0 && used + w > available) {
            rows.append(QList<int>());
            used = 0;
        }
        rows.last().append(i);
        used += w;
    }
    m_rects = QList<QRect>(m_captions.size());
    for (int r = 0; r < rows.size(); ++r) {
        int total = 0;
        for (int i : rows[r])
            total += natural[i];
        const bool fill = rows.size() > 1;
        int x = 2;
        for (int k = 0; k < rows[r].size(); ++k) {
            const int i = rows[r][k];
            int w = natural[i];
            if (fill && total > 0)
                w = k + 1 == rows[r].size() ? available + 2 - x : natural[i] * available / total;
            m_rects[i] = QRect(x, r * m_rowHeight + 2, w, m_rowHeight);
            x += w;
        }
    }
    m_stack->setGeometry(0, stripHeight(), width(), height() - stripHeight());
    update();
}

void TPageControl::paintEvent(QPaintEvent* event) {
    QStylePainter painter(this);
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    for (int i = 0; i < m_rects.size(); ++i) {
        // A repaint of part of the strip (the focus) leaves the other tabs alone.
        if (!event->region().intersects(paintedRect(i)))
            continue;
        QStyleOptionTab option;
        option.initFrom(this);
        option.rect = m_rects.at(i);
        option.text = m_captions.at(i);
        option.shape = QTabBar::RoundedNorth;
        option.position = QStyleOptionTab::Middle;
        option.state &=
            ~(QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver);
        if (i == m_current) {
            option.state |= QStyle::State_Selected;
            if (hasFocus())
                option.state |= QStyle::State_HasFocus;
        }
        if (underMouse() && option.rect.contains(cursor))
            option.state |= QStyle::State_MouseOver;
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
}

void TPageControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    for (int i = 0; i < m_rects.size(); ++i) {
        if (m_rects.at(i).contains(event->position().toPoint())) {
            setFocus(Qt::MouseFocusReason);
            setCurrentIndex(i);
            return;
        }
    }
}

void TPageControl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Left && m_current > 0)
        setCurrentIndex(m_current - 1);
    else if (event->key() == Qt::Key_Right && m_current + 1 < count())
        setCurrentIndex(m_current + 1);
    else
        QWidget::keyPressEvent(event);
}

void TPageControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutTabs();
}

// The margin takes in what the style draws just outside a selected tab.
QRect TPageControl::paintedRect(int index) const {
    return tabRect(index).adjusted(-4, -4, 4, 4);
}

// Only the current tab shows the focus: repaint that tab, not the rest of the
// strip nor the page below it, which the base class would repaint whole.
void TPageControl::focusInEvent(QFocusEvent*) {
    update(paintedRect(m_current));
}

void TPageControl::focusOutEvent(QFocusEvent*) {
    update(paintedRect(m_current));
}

void TPageControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        layoutTabs();
    if (event->type() == QEvent::EnabledChange)
        update();
}
