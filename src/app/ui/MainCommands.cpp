// The download command and the help menu.
#include "app/ui/Main.h"

#include "analysis/ui/LedgerForm.h"
#include "app/Download.h"
#include "app/ui/About.h"
#include "common/ProgramFiles.h"
#include "common/ui/BusyScope.h"
#include "common/ui/MessageBox.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

// The root of the maker's web site.
const QString kMakerHomePage = QStringLiteral("https://www.ozumel.example/");
const QString kManualFile = QStringLiteral("操作手順書.pdf");

// The desktop's "open" action; whether it worked is not reported, as a
// missing viewer or browser is nothing the program can mend.
void openAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}

void openDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

void TMainForm::menuCommandDownloadClick() {
    runHandler(this, [this] {
        // Tabs and menu stay disabled until the reload is done; a second
        // download cannot start meanwhile.
        const BusyScope busy(QStringLiteral("最新データのダウンロード中です。"));
        if (!busy.entered())
            return;
        const DownloadResult result = DownloadDataFiles([] { return BusyState::stopRequested(); });
        if (BusyState::stopRequested())
            return; // the window is closing: no boxes, no reload
        if (!result.succeeded()) {
            showErrorMessage(this, QStringLiteral("ダウンロードに失敗しました。"
                                                  "ネットワークの接続状態を確認してください！！"));
            return;
        }
        reloadTables(busy);
        if (m_closePending || BusyState::stopRequested())
            return; // the window closes (the reload may have reported a missing file)
        showGuideMessage(this, QStringLiteral("正常にダウンロードが完了しました。"));
    });
}

void TMainForm::menuCommandLedgerClick() {
    if (!m_ledgerForm)
        m_ledgerForm = new TLedgerForm(m_drawTable, m_prizeTable, this);
    bool filled = false;
    runHandler(this, [&] {
        // Reading and checking every saved line: no other command meanwhile.
        const BusyScope busy(QStringLiteral("当選・収支を集計中です。"));
        if (!busy.entered())
            return;
        m_ledgerForm->reload();
        filled = true;
    });
    if (!filled || m_closePending || BusyState::stopRequested())
        return;
    // Centred on the main window.
    m_ledgerForm->move(frameGeometry().center() - m_ledgerForm->rect().center());
    m_ledgerForm->exec();
}

void TMainForm::menuHelpManualClick() {
    // The program's folder, not the working folder it was started from.
    openDocument(programPath(kManualFile));
}

void TMainForm::menuHelpHomePageClick() {
    openAddress(kMakerHomePage);
}

TAboutForm* TMainForm::aboutForm() {
    if (!m_about)
        m_about = new TAboutForm(m_version, this);
    return m_about;
}

void TMainForm::menuHelpAboutClick() {
    aboutForm()->exec();
}
