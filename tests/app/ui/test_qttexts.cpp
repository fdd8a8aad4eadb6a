// Qt's own texts in the program's boxes and dialogs are Japanese: the buttons
// of the confirmation box and the CSV save dialog, as the test main sets up
// the application like the program does. Runs offscreen, and on a real
// desktop (xcb with a window manager) under tests/desktop/on-desktop.sh.
#include "GuiTestSupport.h"

#include "app/QtTranslations.h"
#include "common/ui/MessageBox.h"
#include "entries/ui/CsvExport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include <functional>

namespace {

// A caption without its keyboard mnemonic: "はい(&Y)" reads "はい".
QString shown(QString caption) {
    return caption.remove(QRegularExpression(QStringLiteral(R"(\(&.\))"))).remove(u'&');
}

// Runs `open`, which shows a modal dialog of type D and returns when it closes;
// `inspect` reads the dialog once it is on the screen and must close it.
template <typename D>
bool whileShown(const std::function<void()>& open, const std::function<void(D*)>& inspect) {
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        seen = QTest::qWaitForWindowExposed(dialog);
        inspect(dialog);
    });
    poll.start(10);
    open();
    return seen;
}

} // namespace

class TestQtTexts : public QObject {
    Q_OBJECT

private slots:
    void confirmationBoxAnswersInJapanese();
    void saveDialogSpeaksJapanese();
    void missingTranslationChangesNothing();
};

void TestQtTexts::confirmationBoxAnswersInJapanese() {
    qInfo("platform %s", qPrintable(QGuiApplication::platformName()));
    QString yes;
    QString no;
    QString preselected;
    bool answer = true;
    const bool seen = whileShown<QMessageBox>(
        [&] { answer = askConfirmation(nullptr, QStringLiteral("全件削除しますか？")); },
        [&](QMessageBox* box) {
            if (QAbstractButton* button = box->button(QMessageBox::Yes))
                yes = button->text();
            if (QAbstractButton* button = box->button(QMessageBox::No))
                no = button->text();
            if (box->defaultButton())
                preselected = box->defaultButton()->text();
            box->button(QMessageBox::No)->click();
        });
    QVERIFY(seen);
    QCOMPARE(shown(yes), QStringLiteral("はい"));
    QCOMPARE(shown(no), QStringLiteral("いいえ"));
    QCOMPARE(preselected, no);
    QVERIFY(!answer);
}

void TestQtTexts::saveDialogSpeaksJapanese() {
    QStringList labels;
    QStringList buttons;
    const bool seen = whileShown<QFileDialog>(
        [] { exportPendingLines(nullptr, QStringLiteral("700"), {}); },
        [&](QFileDialog* dialog) {
            for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
                const auto* label = dialog->findChild<QLabel*>(QLatin1String(name));
                labels.append(label ? shown(label->text()) : QStringLiteral("(none)"));
            }
            if (const auto* box = dialog->findChild<QDialogButtonBox*>()) {
                for (QDialogButtonBox::ButtonRole role :
                     {QDialogButtonBox::AcceptRole, QDialogButtonBox::RejectRole}) {
                    for (QAbstractButton* button : box->buttons()) {
                        if (box->buttonRole(button) == role)
                            buttons.append(shown(button->text()));
                    }
                }
            }
            dialog->reject();
        });
    QVERIFY(seen);
    QCOMPARE(labels, (QStringList{QStringLiteral("アドレス:"), QStringLiteral("ファイル名:"),
                                  QStringLiteral("ファイルの種類:")}));
    QCOMPARE(buttons, (QStringList{QStringLiteral("保存"), QStringLiteral("キャンセル")}));
}

void TestQtTexts::missingTranslationChangesNothing() {
    const QTemporaryDir empty;
    QVERIFY(!installQtTranslations(empty.path()));
    // What was installed at start stays.
    QCOMPARE(shown(QCoreApplication::translate("QPlatformTheme", "&Yes")), QStringLiteral("はい"));
}

SEPTARION_TEST_MAIN(TestQtTexts)
#include "test_qttexts.moc"
