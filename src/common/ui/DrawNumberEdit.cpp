#include "common/ui/DrawNumberEdit.h"

#include "common/ui/DigitKeyFilter.h"

TDrawNumberEdit::TDrawNumberEdit(QWidget* parent) : QSpinBox(parent) {
    setRange(1, 9999);
    setSingleStep(1);
    setAlignment(Qt::AlignCenter);
    installEventFilter(new DigitKeyFilter(this));
}

void TDrawNumberEdit::setDrawNumberText(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok)
        setValue(value);
}
