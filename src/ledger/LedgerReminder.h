#pragma once

#include "ledger/Ledger.h"

#include <QDate>
#include <QVector>

// The start-up reminder of wins not cashed yet whose claim deadline is near or
// just passed, and its two settings (section Ledger of the settings store):
// Remind, on unless "0", and RemindedOn, the day it was last shown.
namespace LedgerReminder {

bool enabled();
void setEnabled(bool on);
// Whether it may show today: turned on and not shown yet on this day.
bool mayShow(bool enabled, const QDate& remindedOn, const QDate& today);
// The same with the two settings of the store.
bool mayShow(const QDate& today);
void markShown(const QDate& today);

// The rows to remind of today (LedgerRow::remindDue), newest draw first. Only
// the entry files of the draws whose deadline could qualify are read, and
// client/claimed.csv. Throws TAppError when one of them cannot be read.
QVector<LedgerRow> dueRows(const DrawTable& draws, const PrizeTable& prizes, const QDate& today);

} // namespace LedgerReminder
