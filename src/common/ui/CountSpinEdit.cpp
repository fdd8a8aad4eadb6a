#include "common/ui/CountSpinEdit.h"

#include "common/Fields.h"

TCountSpinEdit::TCountSpinEdit(int minimum, int maximum, Keys keys, QWidget* parent)
    : TSpinEdit(minimum, maximum, 3, parent, keys) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setText(QString::number(minimum));
}

int TCountSpinEdit::value() const {
    return parseInteger(text().trimmed());
}

void TCountSpinEdit::setValue(int value) {
    setText(QString::number(qBound(minimum(), value, maximum())));
}
