#include "common/ui/SpinEdit.h"

#include "common/Chars.h"
#include "common/ui/DigitKeyFilter.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

std::optional<int> spinEditNumber(const QString& text, SpinKeys keys) {
    QString digits = text.trimmed();
    bool negative = false;
    if (keys == SpinKeys::DigitsAndSigns && !digits.isEmpty() &&
        (digits.front() == u'+' || digits.front() == u'-')) {
        negative = digits.front() == u'-';
        digits.remove(0, 1);
    }
    const std::optional<qint64> magnitude =
        asciiNumber(digits, qint64(std::numeric_limits<int>::max()) + 1);
    if (!magnitude)
        return std::nullopt;
    const qint64 value = *magnitude;
    if (negative)
        return static_cast<int>(std::max<qint64>(-value, std::numeric_limits<int>::min()));
    return static_cast<int>(std::min<qint64>(value, std::numeric_limits<int>::max()));
}

QString spinEditTextOnLeaving(const QString& text, int minimum, int maximum, SpinKeys keys) {
    const std::optional<int> number = spinEditNumber(text, keys);
    if (number && *number < minimum)
        return QString::number(minimum);
    if (number && *number > maximum)
        return QString::number(maximum);
    return text;
}

TSpinEdit::TSpinEdit(int minimum, int maximum, int maxLength, QWidget* parent, SpinKeys keys)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum), m_maxLength(maxLength),
      m_keys(keys) {
    // Without a value type of its own the base class never rewrites the text.
    if (keys == SpinKeys::Digits)
        installEventFilter(new DigitKeyFilter(this));
    connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::editTextChanged);
}

void TSpinEdit::setText(const QString& text) {
    lineEdit()->setText(text);
}

void TSpinEdit::stepBy(int steps) {
    const std::optional<int> from = spinEditNumber(text(), m_keys);
    const qint64 to = from ? std::clamp<qint64>(qint64(*from) + steps, m_minimum, m_maximum)
                           : m_minimum; // nothing to step from
    setText(QString::number(to));
    selectAll();
}

QValidator::State TSpinEdit::validate(QString& input, int&) const {
    // Typing and pasting only; setText() is not validated.
    if (input.size() > m_maxLength)
        return QValidator::Invalid;
    if (m_keys == SpinKeys::DigitsAndSigns)
        for (const QChar c : std::as_const(input))
            if (!isAsciiDigit(c) && c != u'+' && c != u'-')
                return QValidator::Invalid;
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    const std::optional<int> number = spinEditNumber(text(), m_keys);
    if (!number)
        return StepUpEnabled | StepDownEnabled; // a step shows the lower limit
    StepEnabled enabled = StepNone;
    if (*number < m_maximum)
        enabled |= StepUpEnabled;
    if (*number > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    setText(spinEditTextOnLeaving(text(), m_minimum, m_maximum, m_keys));
    QAbstractSpinBox::focusOutEvent(event);
}
