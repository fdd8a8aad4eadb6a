// The window's fonts name the one family they are drawn in, where one of the
// wanted families is installed: a font naming several has Qt run a fontconfig
// fallback search each time a size of it loads.
#include "GuiTestSupport.h"

#include "common/ui/UiFonts.h"

#include <QFontDatabase>

class TestUiFonts : public QObject {
    Q_OBJECT

private slots:
    void eachFaceNamesOneInstalledFamily() {
        QStringList installed = QFontDatabase::families();
        for (QString& family : installed) // "Family [Foundry]" where a family has two
            family = family.section(QStringLiteral(" ["), 0, 0);
        const auto isInstalled = [&installed](const QString& family) {
            return installed.contains(family, Qt::CaseInsensitive);
        };
        const QList<QFont> faces = {gothicFont(12),     fixedGothicFont(12, true),
                                    minchoFont(12),     proportionalMinchoFont(12),
                                    latinSerifFont(12), latinSansFont(15, true)};
        for (const QFont& face : faces) {
            const QStringList families = face.families();
            if (std::any_of(families.cbegin(), families.cend(), isInstalled)) {
                QCOMPARE(families.size(), 1);
                QVERIFY2(isInstalled(families.first()), qPrintable(families.first()));
            }
        }
        // This machine has the Noto CJK families the window is drawn in here.
        if (isInstalled(QStringLiteral("Noto Sans CJK JP")))
            QCOMPARE(gothicFont(12).families(), QStringList{QStringLiteral("Noto Sans CJK JP")});
    }
};

QTEST_MAIN(TestUiFonts)
#include "test_uifonts.moc"
