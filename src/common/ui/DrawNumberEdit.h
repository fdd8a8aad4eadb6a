#pragma once

#include "common/ui/SpinEdit.h"

// A spin edit for a draw number: 1 to 9999, at most 4 characters typed, text
// centred.
class TDrawNumberEdit : public TSpinEdit {
    Q_OBJECT
public:
    explicit TDrawNumberEdit(QWidget* parent = nullptr);

    // The text as typed, without outer blanks; may be empty or "0123".
    QString drawNumberText() const { return text().trimmed(); }
    // Shows a draw-number text as given (the loader's next draw number).
    void setDrawNumberText(const QString& text) { setText(text); }
};
