#pragma once

#include <QColor>
#include <QGroupBox>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// Small builders for the window's recurring controls.

// Sets the colour of a widget's text (labels, buttons and edits alike).
void setTextColour(QWidget* widget, const QColor& colour);

// A group box with a bold coloured caption; its children keep their own font
// and colours. It paints the caption itself: a style sheet would do the same
// but polish every child through the style sheet machinery.
class TCaptionedGroup : public QGroupBox {
public:
    TCaptionedGroup(const QString& caption, const QColor& colour, QWidget* parent = nullptr);
    QColor captionColour() const { return m_colour; }
    void setCaptionColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};

// A named TCaptionedGroup.
QGroupBox* captionedGroup(QWidget* parent, const QString& name, const QString& caption,
                          const QColor& colour);

// A push button with a bold caption in the given colour and a tooltip.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& tip, const QColor& colour);

// A named label, at `where` when given (a page placed by its geometry block),
// else left to the caller's layout.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text,
                  const QRect& where = QRect());

// A lowered panel showing one line of bold text.
QLabel* makePanel(QWidget* parent, const QString& name, Qt::Alignment alignment, int pixelSize);

// Opens a resizable form (a dialog beside the main window) at the preferred
// size, or smaller where the screen under `over` has less room free of
// panels, centred on `over` and moved fully onto that screen, frame included
// (the frame is taken to be as wide as `over`'s).
void placeFormOver(QWidget* form, const QWidget* over, QSize preferred);
