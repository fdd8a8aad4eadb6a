#pragma once

#include "data/DrawTable.h"

#include <QString>
#include <QVector>

inline constexpr int kHistoryColumns = 11;

// The sort key of the history view: 0 unsorted (table order), +k ascending by
// column k-1, -k descending by column k-1.
int nextHistorySortKey(int currentKey, int clickedColumn);

// Display text of one history column: "%5d" draw number, "YYYY/MM/DD" date,
// then the seven main numbers and the two bonus numbers as two digits.
QString historyCellText(const DrawResult& draw, int column);

// Negative, zero or positive as a sorts before, with or after b under the key.
// The reference that tests hold historyOrder to.
int compareHistoryRows(const DrawResult& a, const DrawResult& b, int key);

// Display order of the table under the key: indices into the table.
QVector<int> historyOrder(const DrawTable& table, int key);
