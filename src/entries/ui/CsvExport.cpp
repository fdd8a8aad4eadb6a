#include "entries/ui/CsvExport.h"

#include "common/DataFolder.h"
#include "common/ui/BusyScope.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/MessageBox.h"
#include "entries/EntryFile.h"

#include <QCoreApplication>

void exportPendingLines(QWidget* parent, const QString& drawNumberText,
                        const QVector<QStringList>& rows) {
    if (BusyState::isBusy())
        return;
    SaveFileRequest request =
        csvSaveRequest(QStringLiteral("dlgSave"), QStringLiteral("CSVファイルに名前を付けて保存"),
                       entryFileName(drawNumberText));
    request.confirmOverwrite = false;
    const QString path = askSaveFileName(parent, request);
    if (path.isEmpty())
        return;

    // The error box of a failure comes after the please-wait box has closed.
    runHandler(parent, [&] {
        const BusyScope busy(QStringLiteral("CSVファイルに出力中です。"));
        if (!busy.entered())
            return;
        if (rows.isEmpty()) {
            showGuideMessage(parent, QStringLiteral("保存する対象のデータがありません。"));
            return;
        }
        writeEntryLines(path, rows);
        showGuideMessage(parent, QStringLiteral("正常にファイルの保存が完了しました。"));
    });
    QCoreApplication::processEvents();
}
