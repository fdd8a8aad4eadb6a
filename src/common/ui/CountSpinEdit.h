#pragma once

#include "common/ui/SpinEdit.h"

// A spin edit for a count or a threshold with limits, text right-aligned, at
// most three characters. Its text is what the handlers read: it may be empty
// or hold a lone sign, and only leaving the field brings a number outside the
// limits to the nearest limit; other text stays as typed.
class TCountSpinEdit : public TSpinEdit {
    Q_OBJECT
public:
    using Keys = SpinKeys;

    TCountSpinEdit(int minimum, int maximum, Keys keys, QWidget* parent = nullptr);

    // The whole-number value of the text without outer blanks; anything else
    // throws TAppError "'x' は整数ではありません".
    int value() const;
    // The number as text, brought into the limits.
    void setValue(int value);
};
