#include "common/ui/UiWidgets.h"

#include "common/ui/UiFonts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include <algorithm>

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    // Disabled controls keep the style's grey text, so that they look disabled.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            pal.setColor(group, role, colour);
    widget->setPalette(pal);
}

TCaptionedGroup::TCaptionedGroup(const QString& caption, const QColor& colour, QWidget* parent)
    : QGroupBox(caption, parent), m_colour(colour) {
    // The box and those of its children that set no font of their own write
    // in the application's font, not the page's: the window has always
    // looked so.
    setFont(applicationFont());
}

void TCaptionedGroup::setCaptionColour(const QColor& colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

void TCaptionedGroup::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event)
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    // The caption sits in the top left corner in a box one space wider than
    // its text, the text centred in it; the frame's line stops short of it.
    QRect caption;
    if (!option.text.isEmpty()) {
        const QFontMetrics metrics(bold);
        const QString spaced = option.text + QLatin1Char(' ');
        caption = QRect(0, 1, metrics.size(Qt::TextShowMnemonic, spaced).width(),
                        metrics.boundingRect(spaced).height() + 2);
    }
    QStyleOptionFrame frame;
    frame.QStyleOption::operator=(option);
    frame.features = option.features;
    frame.lineWidth = option.lineWidth;
    frame.midLineWidth = option.midLineWidth;
    frame.rect = rect();
    painter.save();
    painter.setClipRegion(QRegion(rect()) - caption);
    painter.drawPrimitive(QStyle::PE_FrameGroupBox, frame);
    painter.restore();
    if (caption.isNull())
        return;
    // The caption keeps its colour when the box is disabled too.
    QPalette palette = option.palette;
    palette.setColor(QPalette::WindowText, m_colour);
    style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette,
                          isEnabled(), option.text, QPalette::WindowText);
}

QGroupBox* captionedGroup(QWidget* parent, const QString& name, const QString& caption,
                          const QColor& colour) {
    auto* group = new TCaptionedGroup(caption, colour, parent);
    group->setObjectName(name);
    return group;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& tip, const QColor& colour) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setFont(gothicFont(14, true));
    setTextColour(button, colour);
    return button;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& where) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    if (where.isValid())
        label->setGeometry(where);
    return label;
}

QLabel* makePanel(QWidget* parent, const QString& name, Qt::Alignment alignment, int pixelSize) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(alignment);
    panel->setFont(gothicFont(pixelSize, true));
    panel->setAutoFillBackground(true);
    return panel;
}

void placeFormOver(QWidget* form, const QWidget* over, QSize preferred) {
    const QRect overFrame = over ? over->frameGeometry() : QRect();
    const QMargins frame = over ? QMargins(over->geometry().left() - overFrame.left(),
                                           over->geometry().top() - overFrame.top(),
                                           overFrame.right() - over->geometry().right(),
                                           overFrame.bottom() - over->geometry().bottom())
                                : QMargins();
    const QPoint centre = over ? overFrame.center() : form->geometry().center();
    const QScreen* screen = over ? over->screen() : form->screen();
    if (const QScreen* under = QGuiApplication::screenAt(centre))
        screen = under;
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(), preferred);
    const QSize room = available.size().shrunkBy(frame);
    const QSize size = preferred.boundedTo(room).expandedTo(form->minimumSize().boundedTo(room));
    QRect outer(QPoint(), size.grownBy(frame));
    outer.moveCenter(centre);
    // Fully on the screen: right and bottom edges first, so that the title bar wins.
    outer.moveRight(std::min(outer.right(), available.right()));
    outer.moveBottom(std::min(outer.bottom(), available.bottom()));
    outer.moveLeft(std::max(outer.left(), available.left()));
    outer.moveTop(std::max(outer.top(), available.top()));
    form->resize(size);
    form->move(outer.topLeft());
}
