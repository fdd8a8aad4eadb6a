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

class QGroupBox;

// The head row of the lookup and matching tabs: the group box filling the
// page, the caption "開催回" and the draw-number edit beside it.
struct DrawNumberRow {
    QGroupBox* group;
    TDrawNumberEdit* edit;
};
DrawNumberRow makeDrawNumberRow(QWidget* page, const QString& groupName, const QString& labelName,
                                const QString& editName);
