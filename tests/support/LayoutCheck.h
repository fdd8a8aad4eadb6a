#pragma once

#include <QStringList>
#include <QTest>

class QTableView;
class QWidget;

// What a user would see wrong under root, one line per fault: a visible
// control reaching outside its parent, two visible siblings overlapping by
// more than a shared border line, or a label's, button's or group caption's
// text larger than its room. Group boxes and plain frames are looked into.
QStringList layoutFaults(const QWidget* root);

// What a user would see wrong in a grid's columns: a header title or the
// text of a shown cell wider than its column; with `fitsView`, columns wider
// together than the view, so that a scroll bar hides the last ones.
QStringList columnFaults(const QTableView* view, bool fitsView);

#define VERIFY_LAID_OUT(root)                                                                      \
    do {                                                                                           \
        const QStringList faults_ = layoutFaults(root);                                            \
        QVERIFY2(faults_.isEmpty(), qPrintable(faults_.join(QStringLiteral("; "))));               \
    } while (false)
