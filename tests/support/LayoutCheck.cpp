#include "LayoutCheck.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTableView>

namespace {

// The text a control shows and the room it gives it (no text: nothing to fit).
QPair<QString, QRect> textAndRoom(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return {label->wordWrap() ? QString() : label->text(), label->contentsRect()};
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return {group->title(), group->rect()};
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    const bool radio = qobject_cast<const QRadioButton*>(widget);
    if (!radio && !qobject_cast<const QPushButton*>(widget))
        return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const auto contents = radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents;
    return {button->text(), button->style()->subElementRect(contents, &option, button)};
}

QString nameOf(const QWidget* widget) {
    const QString text = textAndRoom(widget).first;
    return widget->objectName().isEmpty() ? QStringLiteral("\"%1\"").arg(text)
                                          : widget->objectName();
}

void checkText(const QWidget* widget, QStringList& faults) {
    const auto [text, room] = textAndRoom(widget);
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(widget->font());
    const QStringList lines = text.split(u'\n');
    // Wide as the advance, high as the ink: a font's line box may overhang.
    int width = 0;
    int ink = 0;
    for (const QString& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
        ink = std::max(ink, metrics.tightBoundingRect(line).height());
    }
    const int height = int(lines.size() - 1) * metrics.lineSpacing() + ink;
    if (width > room.width() || height > room.height())
        faults << QStringLiteral("%1: text %2x%3 in %4x%5")
                      .arg(nameOf(widget))
                      .arg(width)
                      .arg(height)
                      .arg(room.width())
                      .arg(room.height());
}

void checkChildren(const QWidget* root, const QWidget* parent, QStringList& faults) {
    QList<const QWidget*> shown;
    for (const QObject* object : parent->children())
        if (const auto* child = qobject_cast<const QWidget*>(object))
            if (!child->isWindow() && child->isVisibleTo(root))
                shown << child;
    for (int i = 0; i < shown.size(); ++i) {
        const QWidget* child = shown.at(i);
        if (!parent->rect().contains(child->geometry()))
            faults << nameOf(child) + QStringLiteral(" reaches outside ") + nameOf(parent);
        for (int j = i + 1; j < shown.size(); ++j) {
            const QRect common = child->geometry() & shown.at(j)->geometry();
            if (common.width() > 1 && common.height() > 1)
                faults << nameOf(child) + QStringLiteral(" overlaps ") + nameOf(shown.at(j));
        }
        checkText(child, faults);
        const QByteArray type = child->metaObject()->className();
        if (qobject_cast<const QGroupBox*>(child) || type == "QWidget" || type == "QFrame")
            checkChildren(root, child, faults);
    }
}

} // namespace

QStringList layoutFaults(const QWidget* root) {
    QStringList faults;
    checkText(root, faults);
    checkChildren(root, root, faults);
    return faults;
}

QStringList columnFaults(const QTableView* view, bool fitsView) {
    QStringList faults;
    const QAbstractItemModel* model = view->model();
    const QHeaderView* header = view->horizontalHeader();
    const QFontMetrics titleMetrics(header->font());
    const QFontMetrics cellMetrics(view->font());
    const int rows = std::min(model->rowCount(), 50);
    int total = 0;
    for (int c = 0; c < model->columnCount(); ++c) {
        const int width = view->columnWidth(c);
        total += width;
        const QString title = model->headerData(c, Qt::Horizontal).toString();
        if (titleMetrics.horizontalAdvance(title) > width)
            faults << QStringLiteral("title \"%1\" wider than its column (%2 px)")
                          .arg(title)
                          .arg(width);
        for (int r = 0; r < rows; ++r) {
            const QString text = model->index(r, c).data().toString();
            if (cellMetrics.horizontalAdvance(text) > width)
                faults << QStringLiteral("\"%1\" wider than column %2 (%3 px)")
                              .arg(text)
                              .arg(c)
                              .arg(width);
        }
    }
    if (fitsView && total > view->viewport()->width())
        faults << QStringLiteral("columns %1 px in a view %2 px wide")
                      .arg(total)
                      .arg(view->viewport()->width());
    return faults;
}
