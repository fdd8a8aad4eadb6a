#pragma once

#include <QObject>

// Lets only the digits 0 to 9 and backspace through as typed characters;
// other printable keys are dropped. Navigation and editing keys without text
// (arrows, Delete, Home) keep working. Shared by the draw-number and count
// spin edits.
class DigitKeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
