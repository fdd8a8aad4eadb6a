#include "ledger/LedgerReminder.h"

#include "common/DataFolder.h"
#include "common/SettingsStore.h"
#include "ledger/ClaimedFile.h"

#include <algorithm>

namespace LedgerReminder {

bool mayShow(bool enabled, const QDate& remindedOn, const QDate& today) {
    return enabled && remindedOn != today;
}

bool enabled() {
    return SettingsStore().remindEnabled();
}

void setEnabled(bool on) {
    SettingsStore().writeRemindEnabled(on);
}

bool mayShow(const QDate& today) {
    SettingsStore store;
    return mayShow(store.remindEnabled(), store.remindedOn(), today);
}

void markShown(const QDate& today) {
    SettingsStore().writeRemindedOn(today);
}

QVector<LedgerRow> dueRows(const DrawTable& draws, const PrizeTable& prizes, const QDate& today) {
    // Most starts end here, before the ledger indexes the whole draw table.
    const QVector<LedgerFile> files =
        readLedgerFilesOf(clientDir(), remindDrawNumbers(draws, today));
    if (files.isEmpty())
        return {};
    Ledger ledger = buildLedger(files, draws, prizes);
    if (!std::any_of(ledger.rows.cbegin(), ledger.rows.cend(),
                     [](const LedgerRow& row) { return row.winningLines() > 0; }))
        return {};
    markClaimed(ledger.rows, ClaimedFile::read().claimed());
    return ledgerRemindRows(ledger.rows, today);
}

} // namespace LedgerReminder
