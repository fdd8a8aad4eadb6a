#pragma once

#include <QAbstractSpinBox>

#include <optional>

// Which characters the keyboard may add to a spin edit: digits only, or
// digits and the signs "+" and "-".
enum class SpinKeys { Digits, DigitsAndSigns };

// The value of a spin edit's text: the whole number it spells (blanks around
// it allowed, leading zeros too, and one leading sign where signs are
// allowed), or nothing for an empty or other text. Numbers beyond the int
// range come back clamped to it.
std::optional<int> spinEditNumber(const QString& text, SpinKeys keys = SpinKeys::Digits);

// The text a spin edit keeps when the user leaves it: a number outside the
// limits becomes the nearest limit; any other text (empty, "0123", not a
// number) stays as it is.
QString spinEditTextOnLeaving(const QString& text, int minimum, int maximum,
                              SpinKeys keys = SpinKeys::Digits);

// A spin edit whose text is what the user typed, not the rendering of a
// value: leaving the field changes the text only as spinEditTextOnLeaving()
// says, and nothing else rewrites it (not showing, hiding or Enter). The
// arrows, the Up/Down keys and the wheel step from the number shown, within
// the limits; from an empty or other text a step shows the lower limit. Only
// the digits (and the signs, where allowed) and backspace are accepted from
// the keyboard, at most maxLength characters.
class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    TSpinEdit(int minimum, int maximum, int maxLength, QWidget* parent = nullptr,
              SpinKeys keys = SpinKeys::Digits);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Shows the text as given, like a program setting the field: neither
    // checked against the limits nor cut to the typing length.
    void setText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    // The text changed, whichever way: typing, the arrows, leaving the field,
    // setText().
    void editTextChanged(const QString& text);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_minimum;
    int m_maximum;
    int m_maxLength;
    SpinKeys m_keys;
};
