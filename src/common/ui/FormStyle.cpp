#include "common/ui/FormStyle.h"

#include "common/ui/UiFonts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

QFont FormStyle::font() const {
    return gothicFont(pixelSize);
}

void FormStyle::setUp(QDialog* form, const QString& name, const QString& title) const {
    form->setObjectName(name);
    form->setWindowTitle(title);
    form->setModal(true);
    form->setFont(font());
}

void FormStyle::apply(QWidget* widget, const QString& name) const {
    widget->setObjectName(name);
    widget->setFont(font());
}

QLabel* FormStyle::caption(const QString& text, const QString& name) const {
    return control(new QLabel(text), name);
}

QLabel* FormStyle::caption(const QString& text, const QString& name, int size, bool bold) const {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setFont(gothicFont(size, bold));
    return label;
}

QPushButton* FormStyle::button(const QString& name, const QString& text) const {
    auto* button = control(new QPushButton(text), name);
    button->setMinimumWidth(buttonWidth);
    button->setAutoDefault(false);
    return button;
}

QSpinBox* FormStyle::spin(const QString& name, int minimum, int maximum, int minimumWidth) const {
    auto* box = control(new QSpinBox, name);
    box->setRange(minimum, maximum);
    box->setAlignment(Qt::AlignRight);
    box->setMinimumWidth(minimumWidth);
    return box;
}

QHBoxLayout* FormStyle::buttonRow(std::initializer_list<QWidget*> left,
                                  std::initializer_list<QPushButton*> buttons) const {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : left)
        row->addWidget(widget);
    row->addStretch(1);
    for (QPushButton* button : buttons) {
        button->setAutoDefault(false);
        button->setDefault(false);
        row->addWidget(button);
    }
    return row;
}

StripedGrid* formGrid(QWidget* parent, const QString& name, QAbstractItemModel* model,
                      StripedGrid::Placement placement, const FormGridLook& look) {
    auto* grid = new StripedGrid(StripedGrid::Highlight::WhenFocused, placement, parent);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->setFont(look.font);
    grid->horizontalHeader()->setFont(look.titleFont);
    grid->setDataRowHeight(look.rowHeight);
    grid->setColumnWidths(look.columnWidths);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}
