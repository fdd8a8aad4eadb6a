#include "analysis/LedgerReminder.h"

#include "analysis/ClaimedFile.h"
#include "common/DataFolder.h"
#include "common/ProgramNames.h"

#include <QSettings>

#include <algorithm>

namespace {

// The program's settings store (see SettingsStore).
QSettings store() {
    return QSettings(organizationName(), programName());
}

const QString kRemind = QStringLiteral("Ledger/Remind");
const QString kRemindedOn = QStringLiteral("Ledger/RemindedOn");
const QString kDateFormat = QStringLiteral("yyyy/MM/dd");

} // namespace

namespace LedgerReminder {

bool enabled() {
    return store().value(kRemind).toString().trimmed() != QStringLiteral("0");
}

void setEnabled(bool on) {
    QSettings settings = store();
    settings.setValue(kRemind, on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool mayShow(const QDate& today) {
    return enabled() && store().value(kRemindedOn).toString() != today.toString(kDateFormat);
}

void markShown(const QDate& today) {
    QSettings settings = store();
    settings.setValue(kRemindedOn, today.toString(kDateFormat));
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
