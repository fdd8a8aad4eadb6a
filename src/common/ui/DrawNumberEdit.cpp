#include "common/ui/DrawNumberEdit.h"

TDrawNumberEdit::TDrawNumberEdit(QWidget* parent) : TSpinEdit(1, 9999, 4, parent) {
    setAlignment(Qt::AlignCenter);
}
