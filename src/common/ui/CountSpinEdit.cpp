#include "common/ui/CountSpinEdit.h"

#include "common/AppError.h"
#include "common/ComFunction.h"

#include <QLineEdit>

#include <algorithm>
#include <optional>

namespace {
std::optional<int> wholeNumber(const QString& text) {
    try {
        return parseInteger(text.trimmed());
    } catch (const TAppError&) {
        return std::nullopt;
    }
}
} // namespace

TCountSpinEdit::TCountSpinEdit(int minimum, int maximum, Keys keys, QWidget* parent)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum), m_keys(keys) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lineEdit()->setMaxLength(3);
    setText(QString::number(minimum));
}

void TCountSpinEdit::setText(const QString& text) {
    lineEdit()->setText(text);
}

int TCountSpinEdit::value() const {
    return parseInteger(text().trimmed());
}

void TCountSpinEdit::setValue(int value) {
    setText(QString::number(bounded(value)));
}

int TCountSpinEdit::bounded(int value) const {
    return qBound(m_minimum, value, m_maximum);
}

void TCountSpinEdit::stepBy(int steps) {
    // A text that is not a number counts as the lower limit, as for the arrows
    // of an empty field.
    const qint64 to = qint64(wholeNumber(text()).value_or(m_minimum)) + steps;
    setValue(static_cast<int>(std::clamp<qint64>(to, m_minimum, m_maximum)));
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled TCountSpinEdit::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    const std::optional<int> number = wholeNumber(text());
    if (!number)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (*number < m_maximum)
        enabled |= StepUpEnabled;
    if (*number > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State TCountSpinEdit::validate(QString& input, int& /*pos*/) const {
    for (const QChar c : std::as_const(input)) {
        const bool digit = c >= u'0' && c <= u'9';
        const bool sign = m_keys == Keys::DigitsAndSigns && (c == u'+' || c == u'-');
        if (!digit && !sign)
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

void TCountSpinEdit::fixup(QString& /*input*/) const {
    // The text stays as typed.
}

void TCountSpinEdit::focusOutEvent(QFocusEvent* event) {
    if (const std::optional<int> number = wholeNumber(text());
        number && bounded(*number) != *number)
        setValue(*number);
    QAbstractSpinBox::focusOutEvent(event);
}
