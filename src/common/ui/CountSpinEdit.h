#pragma once

#include <QAbstractSpinBox>

// A spin edit for a count or a threshold with limits, text right-aligned, at
// most three characters. Its text is what the handlers read: it may be empty
// or hold a lone sign, and only leaving the field brings a number outside the
// limits to the nearest limit; other text stays as typed.
class TCountSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    // Which characters the keyboard may add: digits only, or digits and the
    // signs "+" and "-".
    enum class Keys { Digits, DigitsAndSigns };

    TCountSpinEdit(int minimum, int maximum, Keys keys, QWidget* parent = nullptr);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    void setText(const QString& text);
    // The whole-number value of the text without outer blanks; anything else
    // throws TAppError "'x' は整数ではありません".
    int value() const;
    // The number as text, brought into the limits.
    void setValue(int value);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int bounded(int value) const;
    int m_minimum;
    int m_maximum;
    Keys m_keys;
};
