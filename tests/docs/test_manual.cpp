// The operating manual as the build leaves it beside the program: a PDF with
// its pages, the chapter of every tab, its pictures, and text that extracts
// as the characters written (search and copy work).
#include "TestSupport.h"

#include "common/BuildInfo.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60'000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestManual : public QObject {
    Q_OBJECT

private slots:
    void pdfHasPagesChaptersAndPictures();
    void noPageEndsWithAHeading();
};

void TestManual::pdfHasPagesChaptersAndPictures() {
    const QString pdf = QStringLiteral(SEPTARION_MANUAL_PDF);
    QVERIFY2(QFileInfo(pdf).size() > 0, qPrintable(pdf));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext and pdfinfo (poppler-utils) are missing; scripts/install-deps.sh installs "
              "them.");

    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                   QRegularExpression::MultilineOption);
    const int pageCount = pages.match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
    QVERIFY2(pageCount >= 10, qPrintable(QString::number(pageCount)));

    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.contains(QStringLiteral("Septarion 操作手順書")));
    QVERIFY(text.contains(QStringLiteral("Version ") + buildVersionText()));
    const QStringList chapters = {QStringLiteral("ロト７予想メイン"),
                                  QStringLiteral("予想オプション設定"),
                                  QStringLiteral("オンラインデータ照合"),
                                  QStringLiteral("データの傾向と分析"),
                                  QStringLiteral("申込数字照会・取消し"),
                                  QStringLiteral("抽選数字照会"),
                                  QStringLiteral("当選金額照会"),
                                  QStringLiteral("最新の抽選結果をダウンロード"),
                                  QStringLiteral("ヘルプとバージョン情報"),
                                  QStringLiteral("ファイルと設定の保存場所"),
                                  QStringLiteral("CSV形式で保存（ファイル持ち出し）")};
    for (const QString& chapter : chapters) {
        // A chapter heading is a line of its own: "4. ロト７予想メイン".
        const QRegularExpression heading(
            QStringLiteral("^\\d+\\. %1$").arg(QRegularExpression::escape(chapter)),
            QRegularExpression::MultilineOption);
        QVERIFY2(text.contains(heading), qPrintable(chapter));
    }
    // Look-alike characters sharing a glyph must not stand in for the text:
    // Kangxi radicals for kanji, U+2027 for "・", U+301C for "～".
    for (const QChar c : text) {
        const ushort u = c.unicode();
        QVERIFY2(!(u >= 0x2E80 && u <= 0x2FDF) && u != 0x2027 && u != 0x301C,
                 qPrintable(QStringLiteral("U+%1").arg(u, 4, 16, QLatin1Char('0'))));
    }
    QVERIFY(text.contains(QStringLiteral("操作手順書")));
    QVERIFY(text.contains(QStringLiteral("１～３７")));

    // The pictures of the window are in it.
    const QStringList images =
        run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(u'\n');
    QVERIFY2(images.size() - 3 >= 14, qPrintable(images.join(u'\n'))); // two title lines
}

// A heading is kept with the start of its section: the last line of text on a
// page (above the page number) is never one of the manual's headings.
void TestManual::noPageEndsWithAHeading() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is missing; scripts/install-deps.sh installs it.");
    QFile source(QStringLiteral(SEPTARION_MANUAL_SOURCE));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QStringList headings;
    for (const QString& line : QString::fromUtf8(source.readAll()).split(u'\n')) {
        if (line.startsWith(u'#'))
            headings.append(line.section(u' ', 1).trimmed());
    }
    QVERIFY(headings.contains(QStringLiteral("9. 抽選数字照会")));

    const QStringList pages =
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QStringLiteral(SEPTARION_MANUAL_PDF), QStringLiteral("-")})
            .split(u'\f');
    QVERIFY(pages.size() >= 10);
    const QRegularExpression pageNumber(QStringLiteral("^\\d+$"));
    for (int page = 0; page < pages.size(); ++page) {
        QStringList lines;
        for (const QString& line : pages.at(page).split(u'\n'))
            if (!line.trimmed().isEmpty() && !pageNumber.match(line.trimmed()).hasMatch())
                lines.append(line.trimmed());
        if (lines.isEmpty())
            continue; // the end of the output
        QVERIFY2(
            !headings.contains(lines.last()),
            qPrintable(QStringLiteral("page %1 ends with %2").arg(page + 1).arg(lines.last())));
    }
}

SEPTARION_CORE_TEST_MAIN(TestManual)
#include "test_manual.moc"
