#pragma once

#include <QSpinBox>

// A spin edit for a draw number: 1 to 9999, text centred, only the digits and
// backspace accepted from the keyboard.
class TDrawNumberEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit TDrawNumberEdit(QWidget* parent = nullptr);

    // The text as typed, without outer blanks; may be empty or "0123".
    QString drawNumberText() const { return text().trimmed(); }
    // Shows a draw number given as decimal text; other text is ignored.
    void setDrawNumberText(const QString& text);
};
