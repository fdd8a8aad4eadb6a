#pragma once

#include <QColor>
#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

// Small builders for the window's recurring controls.

// Sets the colour of a widget's text (labels, buttons and edits alike).
void setTextColour(QWidget* widget, const QColor& colour);

// A group box with a bold coloured caption; its children keep black text.
QGroupBox* captionedGroup(QWidget* parent, const QString& name, const QString& caption,
                          const QColor& colour);

// A push button with a bold caption in the given colour and a tooltip.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& tip, const QColor& colour);

// A lowered panel showing one line of bold text.
QLabel* makePanel(QWidget* parent, const QString& name, Qt::Alignment alignment, int pixelSize);
