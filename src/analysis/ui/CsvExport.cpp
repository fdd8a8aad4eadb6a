#include "analysis/ui/CsvExport.h"

#include "app/ui/Splash.h"
#include "common/ui/MessageBox.h"
#include "common/ui/StringGrid.h"
#include "entries/EntryFile.h"

#include <QApplication>
#include <QFileDialog>

namespace {
// Busy cursor for a scope; on leaving it also lets pending messages run.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() {
        QApplication::restoreOverrideCursor();
        QCoreApplication::processEvents();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
} // namespace

void exportPendingLines(QWidget* parent, TSplashForm* splash, const QString& drawNumberText,
                        const StringGrid* pendingGrid) {
    QFileDialog dialog(parent, QStringLiteral("CSVファイルに名前を付けて保存"));
    dialog.setObjectName(QStringLiteral("dlgSave"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("CSVファイル (カンマ区切り) (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.selectFile(drawNumberText + QStringLiteral(".csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();

    // The error box of a failure comes after the please-wait box has closed.
    runHandler(parent, [&] {
        const BusyCursor cursor;
        const SplashScope wait(splash, QStringLiteral("CSVファイルに出力中です。"));
        if (!pendingGrid->hasData()) {
            showGuideMessage(parent, QStringLiteral("保存する対象のデータがありません。"));
            return;
        }
        writeEntryLines(path, pendingGrid->dataRows());
        showGuideMessage(parent, QStringLiteral("正常にファイルの保存が完了しました。"));
    });
}
