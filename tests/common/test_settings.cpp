// The per-user settings store: defaults, round trip, text storage under the
// sections Windows and Options, and tolerance of hand-edited values.
#include "TestSupport.h"

#include "common/SettingsStore.h"
#include "predict/ExclusionText.h"

#include <QFile>
#include <QSettings>

Q_DECLARE_METATYPE(TSettings)

namespace {

struct Stored {
    QPoint position;
    TSettings settings;
};

Stored readStore() {
    Stored stored;
    // Start from values the store must overwrite.
    stored.position = QPoint(-999, -999);
    stored.settings = TSettings{-1, -1, -1, QStringLiteral("junk")};
    SettingsStore().read(stored.position, stored.settings);
    // As the window keeps them.
    stored.settings.DeleteNum = limitedExclusionText(stored.settings.DeleteNum);
    return stored;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init();

    void firstRunGivesDefaults();
    void writeThenReadGivesTheSameValues_data();
    void writeThenReadGivesTheSameValues();
    void valuesAreTextUnderTheirSections();
    void malformedIntegerReadsAsDefault_data();
    void malformedIntegerReadsAsDefault();
    void emptyDeleteNumIsWrittenNotRemoved();
    void textIsCutAtCharacterZero();
    void singleValuesFallBackToGivenDefault();
    void moreThanTwentyExclusionsKeepTheFirstTwenty_data();
    void moreThanTwentyExclusionsKeepTheFirstTwenty();
};

void TestSettings::init() {
    clearProgramSettings();
}

void TestSettings::firstRunGivesDefaults() {
    const Stored stored = readStore();
    QCOMPARE(stored.position, QPoint(0, 0));
    QCOMPARE(stored.settings.AutoNum, 10);
    QCOMPARE(stored.settings.RangeNum, 1);
    QCOMPARE(stored.settings.OptionIndex, 3);
    QCOMPARE(stored.settings.DeleteNum, QString());
    QCOMPARE(stored.settings, TSettings());
}

void TestSettings::writeThenReadGivesTheSameValues_data() {
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<TSettings>("settings");
    QTest::newRow("typical") << QPoint(120, 80)
                             << TSettings{25, 4, 1, QStringLiteral("01,05,12,37")};
    QTest::newRow("negative position, empty exclusions")
        << QPoint(-4, -1200) << TSettings{1, 0, 0, QString()};
    QTest::newRow("outside any screen") << QPoint(50000, 40000) << TSettings{99, 500, 2, "07"};
    QTest::newRow("defaults") << QPoint(0, 0) << TSettings();
    QTest::newRow("extreme integers")
        << QPoint(2147483647, -2147483647 - 1) << TSettings{-2147483647 - 1, 2147483647, 3, "36"};
}

void TestSettings::writeThenReadGivesTheSameValues() {
    QFETCH(QPoint, position);
    QFETCH(TSettings, settings);
    // Something else stored before: every value is replaced.
    SettingsStore().write(QPoint(7, 7), TSettings{8, 8, 8, QStringLiteral("08,09")});
    SettingsStore().write(position, settings);
    const Stored stored = readStore();
    QCOMPARE(stored.position, position);
    QCOMPARE(stored.settings, settings);
}

void TestSettings::valuesAreTextUnderTheirSections() {
    SettingsStore().write(QPoint(-4, 250), TSettings{25, 7, 1, QStringLiteral("01,05")});

    QSettings settings = programSettings();
    QCOMPARE(settings.childGroups(), QStringList({"Options", "Windows"}));
    settings.beginGroup(QStringLiteral("Windows"));
    QCOMPARE(settings.childKeys(), QStringList({"Left", "Top"}));
    settings.endGroup();
    settings.beginGroup(QStringLiteral("Options"));
    QCOMPARE(settings.childKeys(),
             QStringList({"AutoNum", "DeleteNum", "OptionIndex", "RangeNum"}));
    settings.endGroup();

    const QList<QPair<QString, QString>> expected = {
        {"Windows/Left", "-4"},    {"Windows/Top", "250"},       {"Options/AutoNum", "25"},
        {"Options/RangeNum", "7"}, {"Options/OptionIndex", "1"}, {"Options/DeleteNum", "01,05"},
    };
    for (const auto& [key, text] : expected) {
        const QVariant value = settings.value(key);
        QCOMPARE(value.typeId(), QMetaType::QString);
        QCOMPARE(value.toString(), text);
    }

    // On disk: the per-user file of organisation Ozumel, application Septarion.
    QVERIFY(settings.fileName().endsWith(QStringLiteral("/Ozumel/Septarion.conf")));
    QFile file(settings.fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    for (const char* line : {"[Windows]", "Left=-4", "Top=250", "[Options]", "AutoNum=25",
                             "RangeNum=7", "OptionIndex=1"})
        QVERIFY2(text.contains(line), line);
}

void TestSettings::malformedIntegerReadsAsDefault_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("digits then letter") << QStringLiteral("12x");
    QTest::newRow("empty") << QString();
    QTest::newRow("fraction") << QStringLiteral("1.5");
    QTest::newRow("beyond 32 bits") << QStringLiteral("2147483648");
    QTest::newRow("full-width digits") << QStringLiteral("１２");
}

void TestSettings::malformedIntegerReadsAsDefault() {
    QFETCH(QString, text);
    {
        QSettings settings = programSettings();
        for (const char* key : {"Windows/Left", "Windows/Top", "Options/AutoNum",
                                "Options/RangeNum", "Options/OptionIndex"})
            settings.setValue(QLatin1String(key), text);
        settings.setValue(QStringLiteral("Options/DeleteNum"), QStringLiteral("03"));
    }
    const Stored stored = readStore();
    QCOMPARE(stored.position, QPoint(0, 0));
    QCOMPARE(stored.settings, (TSettings{10, 1, 3, QStringLiteral("03")}));
}

void TestSettings::emptyDeleteNumIsWrittenNotRemoved() {
    SettingsStore().write(QPoint(1, 2), TSettings{10, 1, 3, QStringLiteral("01,02")});
    SettingsStore().write(QPoint(1, 2), TSettings{10, 1, 3, QString()});

    QSettings settings = programSettings();
    QVERIFY(settings.contains(QStringLiteral("Options/DeleteNum")));
    const QVariant value = settings.value(QStringLiteral("Options/DeleteNum"));
    QCOMPARE(value.typeId(), QMetaType::QString);
    QCOMPARE(value.toString(), QString());
    QFile file(settings.fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("DeleteNum=\n"));
    QCOMPARE(readStore().settings.DeleteNum, QString());
}

void TestSettings::textIsCutAtCharacterZero() {
    {
        QSettings settings = programSettings();
        settings.setValue(QStringLiteral("Options/DeleteNum"),
                          QStringLiteral("01,02") + QChar(0) + QStringLiteral("37"));
        settings.setValue(QStringLiteral("Options/Leading"), QString(QChar(0)) + "05");
    }
    QCOMPARE(readStore().settings.DeleteNum, QStringLiteral("01,02"));
    SettingsStore store;
    QCOMPARE(store.readText(QStringLiteral("Options"), QStringLiteral("Leading"),
                            QStringLiteral("default")),
             QString());
}

void TestSettings::singleValuesFallBackToGivenDefault() {
    SettingsStore store;
    QCOMPARE(store.readInteger(QStringLiteral("Nowhere"), QStringLiteral("Value"), 42), 42);
    QCOMPARE(store.readText(QStringLiteral("Nowhere"), QStringLiteral("Value"), "fallback"),
             QStringLiteral("fallback"));

    store.writeInteger(QStringLiteral("Extra"), QStringLiteral("Count"), -17);
    store.writeText(QStringLiteral("Extra"), QStringLiteral("Name"), QStringLiteral("富士"));
    QCOMPARE(store.readInteger(QStringLiteral("Extra"), QStringLiteral("Count"), 0), -17);
    QCOMPARE(store.readText(QStringLiteral("Extra"), QStringLiteral("Name"), QString()),
             QStringLiteral("富士"));
    // A text value read as an integer: not a number, so the default.
    QCOMPARE(store.readInteger(QStringLiteral("Extra"), QStringLiteral("Name"), 5), 5);
    // An integer is kept as its decimal text.
    QCOMPARE(store.readText(QStringLiteral("Extra"), QStringLiteral("Count"), QString()),
             QStringLiteral("-17"));
}

void TestSettings::moreThanTwentyExclusionsKeepTheFirstTwenty_data() {
    // The stored forms of first, first+1 (or -1), ..., last.
    const auto forms = [](int first, int last) {
        QString text;
        for (int n = first;; n += first < last ? 1 : -1) {
            text += QStringLiteral("%1 ").arg(n, 2, 10, QLatin1Char('0'));
            if (n == last)
                return text;
        }
    };
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("21, the last first")
        << forms(21, 21) + forms(1, 20) << forms(1, 19) + forms(21, 21);
    QTest::newRow("20 and a repeat, as written") << forms(20, 1) + "05 " << forms(20, 1) + "05 ";
}

void TestSettings::moreThanTwentyExclusionsKeepTheFirstTwenty() {
    QFETCH(QString, stored);
    QFETCH(QString, read);
    programSettings().setValue(QStringLiteral("Options/DeleteNum"), stored);
    QCOMPARE(readStore().settings.DeleteNum, read);
}

SEPTARION_CORE_TEST_MAIN(TestSettings)
#include "test_settings.moc"
