#include "common/ui/UiWidgets.h"

#include "common/ui/UiFonts.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    // Disabled controls keep the style's grey text, so that they look disabled.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            pal.setColor(group, role, colour);
    widget->setPalette(pal);
}

QGroupBox* captionedGroup(QWidget* parent, const QString& name, const QString& caption,
                          const QColor& colour) {
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    // A rule on this box alone: the caption takes the colour, the children not.
    group->setStyleSheet(
        QStringLiteral("QGroupBox#%1 { color: %2; font-weight: bold; }").arg(name, colour.name()));
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

QLabel* makePanel(QWidget* parent, const QString& name, Qt::Alignment alignment, int pixelSize) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(alignment);
    panel->setFont(gothicFont(pixelSize, true));
    panel->setAutoFillBackground(true);
    return panel;
}
