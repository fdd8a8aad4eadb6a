#pragma once

#include "common/ui/StripedGrid.h"

#include <QFont>
#include <QList>
#include <QString>

#include <initializer_list>

class QAbstractItemModel;
class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

// How the controls of a form beside the main window look, and the builders
// every such form makes its controls with: one font size for the form and
// one least width for its buttons.
//
// Enter and Escape behave alike in every form: Escape closes it (QDialog's
// own), Enter presses none of its buttons, so that Enter in a field never
// runs a command or closes the box by surprise.
struct FormStyle {
    int pixelSize = 14;
    int buttonWidth = 104;
    // Small print: notes, chart labels, grid titles.
    int smallPixelSize = 12;

    // The program's gothic font at the form's size.
    QFont font() const;
    // Names and titles a form, makes it modal and gives it the form's font.
    void setUp(QDialog* form, const QString& name, const QString& title) const;
    // Names a control and gives it the form's font.
    template <typename Widget> Widget* control(Widget* widget, const QString& name) const {
        apply(widget, name);
        return widget;
    }
    // A label; named when it is read or changed later.
    QLabel* caption(const QString& text, const QString& name = {}) const;
    // A label at another size (small print, a verdict in bold).
    QLabel* caption(const QString& text, const QString& name, int size, bool bold = false) const;
    // A push button at least as wide as the form's buttons; Enter does not press it.
    QPushButton* button(const QString& name, const QString& text) const;
    // A right-aligned spin box.
    QSpinBox* spin(const QString& name, int minimum, int maximum, int minimumWidth) const;
    // The form's bottom row: `left` from the left edge (a note, a check box),
    // then the buttons at the right edge.
    QHBoxLayout* buttonRow(std::initializer_list<QWidget*> left,
                           std::initializer_list<QPushButton*> buttons) const;
    // Words and controls side by side from the left edge, read as a sentence.
    QHBoxLayout* row(std::initializer_list<QWidget*> widgets) const {
        return buttonRow(widgets, {});
    }

private:
    void apply(QWidget* widget, const QString& name) const;
};

// A form's grid over `model`: named, its data font and title font, rows of a
// fixed height, the columns at the widths given and the last one taking the
// rest.
struct FormGridLook {
    QFont font;
    QFont titleFont;
    int rowHeight = 20;
    QList<int> columnWidths;
};
StripedGrid* formGrid(QWidget* parent, const QString& name, QAbstractItemModel* model,
                      StripedGrid::Placement placement, const FormGridLook& look);
