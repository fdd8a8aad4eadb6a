#include "TestSupport.h"

#include "common/AppError.h"
#include "common/ProgramFiles.h"
#include "entries/EntryFile.h"

#include <QDir>
#include <QFile>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QString kClientFile = QStringLiteral("client/123.csv");

QStringList ticket(const QString& draw, const QStringList& numbers) {
    return QStringList{draw} + numbers;
}

const QStringList kTicketA = ticket("123", {"03", "08", "15", "21", "22", "30", "37"});
const QStringList kTicketB = ticket("123", {"01", "02", "03", "04", "05", "06", "07"});
const QByteArray kLineA = "123,03,08,15,21,22,30,37";
const QByteArray kLineB = "123,01,02,03,04,05,06,07";

// Many rows of one ticket, for writes larger than a file-size limit.
QVector<QStringList> manyRows(int count) {
    return QVector<QStringList>(count, kTicketA);
}

QStringList clientFiles(const TempProgramDir& dir) {
    return QDir(dir.filePath(QStringLiteral("client"))).entryList(QDir::Files | QDir::Hidden);
}

// Makes the client folder read-only while it lives.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path) : m_path(std::move(path)) {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyFolder() {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    QString m_path;
};

constexpr qint64 kSizeLimit = qint64{256} * 1024;

// Names of files created or renamed away in a folder while it is watched, to
// learn which temporary names a save really uses.
class CreatedNames {
public:
    explicit CreatedNames(const QString& folder) : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (m_fd >= 0)
            inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                              IN_CREATE | IN_MOVED_FROM);
    }
    ~CreatedNames() {
        if (m_fd >= 0)
            close(m_fd);
    }
    CreatedNames(const CreatedNames&) = delete;
    CreatedNames& operator=(const CreatedNames&) = delete;

    QStringList take() const {
        QStringList names;
        alignas(inotify_event) char buffer[4096];
        ssize_t size = 0;
        while (m_fd >= 0 && (size = read(m_fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0)
                    names.append(QFile::decodeName(event->name));
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        names.removeDuplicates();
        return names;
    }

private:
    int m_fd;
};

} // namespace

// Runs an operation that must fail; checks the error names the file and that
// the file kept its old bytes.
#define VERIFY_FAILS_UNCHANGED(dir, operation, oldBytes)                                           \
    do {                                                                                           \
        bool thrown = false;                                                                       \
        try {                                                                                      \
            operation;                                                                             \
        } catch (const TAppError& error) {                                                         \
            thrown = true;                                                                         \
            QVERIFY2(error.text().contains((dir).filePath(kClientFile)),                           \
                     qPrintable(error.text()));                                                    \
        }                                                                                          \
        QVERIFY2(thrown, #operation);                                                              \
        QCOMPARE((dir).readFile(kClientFile), oldBytes);                                           \
        QCOMPARE(clientFiles(dir), QStringList{"123.csv"});                                        \
    } while (false)

class TestEntryFile : public QObject {
    Q_OBJECT

private slots:
    void pathOfDrawNumber();
    void unsafeDrawNumberHasNoPath_data();
    void unsafeDrawNumberHasNoPath();
    void entryLineOfRow();

    void appendCreatesFileAndAddsAtEnd();
    void appendEndsUnterminatedLastLine_data();
    void appendEndsUnterminatedLastLine();
    void appendAfterBlankTailKeepsNewLinesListed_data();
    void appendAfterBlankTailKeepsNewLinesListed();
    void appendIntoMissingFolderFails();
    void writeReplacesAndSkipsEmptyRows();

    void listedLinesMatchDrawNumberExactly();

    void cancelOneKeepsEveryOtherByte();
    void cancelOneRemovesLeadingBlanksAndLineEnd();
    void cancelOneOfLastLineWithoutEnd();
    void cancelOnlyLineLeavesEmptyFile();
    void cancelOneOutOfRangeOrMissingChangesNothing();
    void cancelAllKeepsOtherLines();
    void cancelAllDeletesWhenNothingElseRemains_data();
    void cancelAllDeletesWhenNothingElseRemains();
    void cancelAllOfMissingFileDoesNothing();

    void writesRemoveLeftoverTemporaries();

    void failuresInReadOnlyFolderKeepFile();
    void failuresOnFullDiskKeepFile();
};

void TestEntryFile::pathOfDrawNumber() {
    TempProgramDir dir;
    QCOMPARE(entryFilePath("123"), dir.filePath("client/123.csv"));
    QCOMPARE(entryFilePath("0123"), dir.filePath("client/0123.csv"));
    QVERIFY(entryFilePath("0123") != entryFilePath("123"));
    QVERIFY(isSafeDrawNumberText(QString()));
}

void TestEntryFile::unsafeDrawNumberHasNoPath_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("parent folder") << "../x";
    QTest::newRow("slash") << "12/3";
    QTest::newRow("backslash") << "12\\3";
    QTest::newRow("letter") << "12a";
    QTest::newRow("blank") << " 123";
    QTest::newRow("sign") << "-1";
    QTest::newRow("full-width digits") << "１２３";
    QTest::newRow("dot") << "1.5";
}

void TestEntryFile::unsafeDrawNumberHasNoPath() {
    QFETCH(QString, text);
    TempProgramDir dir;
    QVERIFY(!isSafeDrawNumberText(text));
    QVERIFY(entryFilePath(text).isEmpty());
}

void TestEntryFile::entryLineOfRow() {
    QCOMPARE(entryLine(kTicketA), QString::fromLatin1(kLineA));
    QCOMPARE(entryLine(kTicketA + QStringList{"1等"}), QString::fromLatin1(kLineA));
    QCOMPARE(entryLine({"123", " ", "", "04"}), QStringLiteral("123,\" \",,04"));
}

void TestEntryFile::appendCreatesFileAndAddsAtEnd() {
    TempProgramDir dir;
    QDir(dir.path()).mkdir("client");
    const QString path = entryFilePath("123");
    const QByteArray twoLines = kLineA + "\r\n" + kLineB + "\r\n";

    appendEntryLines(path, {kTicketA, kTicketB});
    QCOMPARE(dir.readFile(kClientFile), twoLines);

    appendEntryLines(path, {kTicketA, kTicketB});
    QCOMPARE(dir.readFile(kClientFile), twoLines + twoLines);
    QCOMPARE(ReadLines(path).size(), 4);
    QCOMPARE(clientFiles(dir), QStringList{"123.csv"});
}

void TestEntryFile::appendEndsUnterminatedLastLine_data() {
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray added = kLineB + "\r\n";
    QTest::newRow("no line end") << kLineA << kLineA + "\r\n" + added;
    QTest::newRow("bare LF is no line end") << kLineA + "\n" << kLineA + "\n\r\n" + added;
    QTest::newRow("CR LF") << kLineA + "\r\n" << kLineA + "\r\n" + added;
    QTest::newRow("CR alone") << kLineA + "\r" << kLineA + "\r" + added;
    QTest::newRow("empty file") << QByteArray() << added;
}

void TestEntryFile::appendEndsUnterminatedLastLine() {
    QFETCH(QByteArray, existing);
    QFETCH(QByteArray, expected);
    TempProgramDir dir;
    dir.writeFile(kClientFile, existing);

    appendEntryLines(entryFilePath("123"), {kTicketB});
    QCOMPARE(dir.readFile(kClientFile), expected);
    QCOMPARE(ReadLines(entryFilePath("123")).last(), QString::fromLatin1(kLineB));
}

void TestEntryFile::appendAfterBlankTailKeepsNewLinesListed_data() {
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray lineA = kLineA + "\r\n";
    const QByteArray added = kLineB + "\r\n" + kLineA + "\r\n";
    QTest::newRow("lone LF after the last line") << lineA + "\n" << lineA + added;
    QTest::newRow("blanks and tab") << lineA + "  \t " << lineA + added;
    QTest::newRow("NUL byte") << lineA + QByteArray(1, '\0') << lineA + added;
    QTest::newRow("empty line") << lineA + "\r\n" << lineA + added;
    QTest::newRow("mixed control characters")
        << lineA + QByteArray("\r\n \x01\n\x1a\0", 7) << lineA + added;
    QTest::newRow("character 26 right after the text") << kLineA + "\x1a" << lineA + added;
    QTest::newRow("only blanks in the file") << QByteArray("\n \r\n\t") << added;
    // Lines after an empty line stay hidden and keep their bytes.
    QTest::newRow("hidden lines after an empty line")
        << lineA + "\n\r\n456,01\r\n \x1a" << lineA + added + "\n\r\n456,01\r\n \x1a";
}

void TestEntryFile::appendAfterBlankTailKeepsNewLinesListed() {
    QFETCH(QByteArray, existing);
    QFETCH(QByteArray, expected);
    TempProgramDir dir;
    dir.writeFile(kClientFile, existing);
    const QString path = entryFilePath("123");
    const QStringList before = ReadLines(path);

    appendEntryLines(path, {kTicketB, kTicketA});
    QCOMPARE(dir.readFile(kClientFile), expected);
    const QStringList added{QString::fromLatin1(kLineB), QString::fromLatin1(kLineA)};
    QCOMPARE(ReadLines(path), before + added);
}

void TestEntryFile::appendIntoMissingFolderFails() {
    TempProgramDir dir;
    QVERIFY_THROWS_EXCEPTION(TAppError, appendEntryLines(entryFilePath("123"), {kTicketA}));
    QVERIFY(!dir.exists("client"));
}

void TestEntryFile::writeReplacesAndSkipsEmptyRows() {
    TempProgramDir dir;
    dir.writeFile(kClientFile, "old,line\r\n456,01\r\n");
    const QString path = entryFilePath("123");

    writeEntryLines(path, {kTicketB, QStringList(8), kTicketA, QStringList{"", ""}});
    QCOMPARE(dir.readFile(kClientFile), kLineB + "\r\n" + kLineA + "\r\n");

    writeEntryLines(path, {QStringList(8)});
    QVERIFY(dir.exists(kClientFile));
    QCOMPARE(dir.readFile(kClientFile), QByteArray());

    writeEntryLines(entryFilePath("7"), {kTicketA});
    QCOMPARE(dir.readFile("client/7.csv"), kLineA + "\r\n");
}

void TestEntryFile::listedLinesMatchDrawNumberExactly() {
    const QStringList lines{"123,01", "0123,02", "123",  "1234,03", "123 ,04",
                            "12,3",   "123,",    ",123", "123,05"};
    QCOMPARE(listedEntryLines(lines, "123"), (QStringList{"123,01", "123,", "123,05"}));
    QCOMPARE(listedEntryLines(lines, "0123"), QStringList{"0123,02"});
    QCOMPARE(listedEntryLines(lines, "12"), QStringList{"12,3"});
    QCOMPARE(listedEntryLines(lines, ""), QStringList{",123"});
    QCOMPARE(listedEntryLines({}, "123"), QStringList{});
}

void TestEntryFile::cancelOneKeepsEveryOtherByte() {
    TempProgramDir dir;
    const QByteArray before = "123,01,02\r\n"
                              "456,09,10\r\n"
                              "123,03,04\r\n"
                              "0123,11,12\r\n"
                              "123,05,06\r\n"
                              "\r\n"
                              "123,07,08\r\n";
    dir.writeFile(kClientFile, before);
    const QString path = entryFilePath("123");

    cancelListedLine(path, "123", 1);
    QByteArray expected = before;
    expected.remove(before.indexOf("123,03,04"), 11);
    QCOMPARE(dir.readFile(kClientFile), expected);
    QCOMPARE(listedEntryLines(ReadLines(path), "123"), (QStringList{"123,01,02", "123,05,06"}));

    // The last listed line is the one before the empty line, not the hidden one after it.
    cancelListedLine(path, "123", 1);
    expected.remove(expected.indexOf("123,05,06"), 11);
    QCOMPARE(dir.readFile(kClientFile), expected);
    QCOMPARE(dir.readFile(kClientFile),
             QByteArray("123,01,02\r\n456,09,10\r\n0123,11,12\r\n\r\n123,07,08\r\n"));
}

void TestEntryFile::cancelOneRemovesLeadingBlanksAndLineEnd() {
    TempProgramDir dir;
    dir.writeFile(kClientFile, "456,01\r\n \t123,02\r\n123,03\r456,04\n\r\n");
    const QString path = entryFilePath("123");
    QCOMPARE(listedEntryLines(ReadLines(path), "123"), (QStringList{"123,02", "123,03"}));

    cancelListedLine(path, "123", 0);
    QCOMPARE(dir.readFile(kClientFile), QByteArray("456,01\r\n123,03\r456,04\n\r\n"));
    // A CR alone ends a line; the bare LF stays part of the line after it.
    cancelListedLine(path, "123", 0);
    QCOMPARE(dir.readFile(kClientFile), QByteArray("456,01\r\n456,04\n\r\n"));
}

void TestEntryFile::cancelOneOfLastLineWithoutEnd() {
    TempProgramDir dir;
    dir.writeFile(kClientFile, "123,01\r\n123,02");
    cancelListedLine(entryFilePath("123"), "123", 1);
    QCOMPARE(dir.readFile(kClientFile), QByteArray("123,01\r\n"));
    cancelListedLine(entryFilePath("123"), "123", 0);
    QCOMPARE(dir.readFile(kClientFile), QByteArray());
}

void TestEntryFile::cancelOnlyLineLeavesEmptyFile() {
    TempProgramDir dir;
    dir.writeFile(kClientFile, kLineA + "\r\n");
    cancelListedLine(entryFilePath("123"), "123", 0);
    QVERIFY(dir.exists(kClientFile));
    QCOMPARE(dir.readFile(kClientFile), QByteArray());
    QVERIFY(ReadLines(entryFilePath("123")).isEmpty());
}

void TestEntryFile::cancelOneOutOfRangeOrMissingChangesNothing() {
    TempProgramDir dir;
    const QByteArray before = "123,01\r\n456,02\r\n\r\n123,03\r\n";
    dir.writeFile(kClientFile, before);
    cancelListedLine(entryFilePath("123"), "123", 1); // the second 123 line is hidden
    cancelListedLine(entryFilePath("123"), "123", -1);
    cancelListedLine(entryFilePath("123"), "0123", 0);
    QCOMPARE(dir.readFile(kClientFile), before);

    cancelListedLine(entryFilePath("9"), "9", 0);
    QVERIFY(!dir.exists("client/9.csv"));
}

void TestEntryFile::cancelAllKeepsOtherLines() {
    TempProgramDir dir;
    dir.writeFile(kClientFile, "123,01\r\n456,02\r\n  123,03\r\n0123,04\r\n\r\n123,05\r\n");
    cancelAllListedLines(entryFilePath("123"), "123");
    QCOMPARE(dir.readFile(kClientFile), QByteArray("456,02\r\n0123,04\r\n\r\n123,05\r\n"));

    // Nothing listed: the file stays as it is.
    cancelAllListedLines(entryFilePath("123"), "123");
    QCOMPARE(dir.readFile(kClientFile), QByteArray("456,02\r\n0123,04\r\n\r\n123,05\r\n"));
}

void TestEntryFile::cancelAllDeletesWhenNothingElseRemains_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("only listed lines") << QByteArray("123,01\r\n123,02\r\n");
    QTest::newRow("blanks left over") << QByteArray("123,01\r\n \t\r\n\x1a");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("last line without end") << QByteArray("123,01\r\n123,02");
}

void TestEntryFile::cancelAllDeletesWhenNothingElseRemains() {
    QFETCH(QByteArray, content);
    TempProgramDir dir;
    dir.writeFile(kClientFile, content);
    cancelAllListedLines(entryFilePath("123"), "123");
    QVERIFY(!dir.exists(kClientFile));
}

void TestEntryFile::cancelAllOfMissingFileDoesNothing() {
    TempProgramDir dir;
    cancelAllListedLines(entryFilePath("123"), "123");
    QVERIFY(!dir.exists(kClientFile));
    QVERIFY(!dir.exists("client"));
}

void TestEntryFile::writesRemoveLeftoverTemporaries() {
    TempProgramDir dir;
    const QString path = entryFilePath("123");
    dir.writeFile(kClientFile, kLineA + "\r\n");

    // The name a save really gives its temporary file, as a kill leaves it behind.
    QStringList leftovers{"123.csv.AbCdEf", "123.csv.qwerty"};
    {
        const CreatedNames created(dir.filePath("client"));
        appendEntryLines(path, {kTicketA});
        for (const QString& name : created.take())
            if (name != u"123.csv")
                leftovers.append(name);
    }
    QVERIFY2(leftovers.size() == 3, qPrintable(leftovers.join(u' ')));
    const QStringList others{"123.csv",        "123.csv.AbCdE",   "123.csv.AbCdEfG",
                             "123.csv.AbC1Ef", "123.csv.AbC-Ef",  "0123.csv.AbCdEf",
                             "23.csv.AbCdEf",  "1234.csv.AbCdEf", "456.csv.AbCdEf",
                             "123.csvXAbCdEf", "123.CSV.AbCdEf",  "123.csv.bak"};
    const auto plant = [&] {
        for (const QString& name : leftovers + others)
            if (!dir.exists("client/" + name))
                dir.writeFile("client/" + name, "x\r\n");
    };
    const auto sorted = [](QStringList names) {
        names.sort();
        return names;
    };

    plant();
    appendEntryLines(path, {kTicketB});
    QCOMPARE(sorted(clientFiles(dir)), sorted(others));
    const QString a = QString::fromLatin1(kLineA);
    QCOMPARE(ReadLines(path), (QStringList{a, a, QString::fromLatin1(kLineB)}));

    plant();
    cancelListedLine(path, "123", 2);
    QCOMPARE(sorted(clientFiles(dir)), sorted(others));

    plant();
    cancelAllListedLines(path, "123");
    QCOMPARE(sorted(clientFiles(dir)), sorted(others.mid(1)));
}

void TestEntryFile::failuresInReadOnlyFolderKeepFile() {
    if (geteuid() == 0)
        QSKIP("permissions do not bind the superuser");
    TempProgramDir dir;
    const QString path = entryFilePath("123");
    const QByteArray mixed = kLineA + "\r\n456,01\r\n" + kLineB + "\r\n";
    dir.writeFile(kClientFile, mixed);
    {
        const ReadOnlyFolder readOnly(dir.filePath("client"));
        VERIFY_FAILS_UNCHANGED(dir, appendEntryLines(path, {kTicketA}), mixed);
        VERIFY_FAILS_UNCHANGED(dir, writeEntryLines(path, {kTicketA}), mixed);
        VERIFY_FAILS_UNCHANGED(dir, cancelListedLine(path, "123", 1), mixed);
        VERIFY_FAILS_UNCHANGED(dir, cancelAllListedLines(path, "123"), mixed);
    }
    // Deleting the file needs a writable folder as well.
    const QByteArray onlyListed = kLineA + "\r\n";
    dir.writeFile(kClientFile, onlyListed);
    const ReadOnlyFolder readOnly(dir.filePath("client"));
    VERIFY_FAILS_UNCHANGED(dir, cancelAllListedLines(path, "123"), onlyListed);
}

void TestEntryFile::failuresOnFullDiskKeepFile() {
    TempProgramDir dir;
    const QString path = entryFilePath("123");
    const QByteArray small = kLineA + "\r\n456,01\r\n";
    dir.writeFile(kClientFile, small);
    {
        // The new content outgrows the limit part way through.
        const FileSizeLimit limit(kSizeLimit);
        QVERIFY(limit.active());
        VERIFY_FAILS_UNCHANGED(dir, appendEntryLines(path, manyRows(12000)), small);
        VERIFY_FAILS_UNCHANGED(dir, writeEntryLines(path, manyRows(12000)), small);
    }

    // A file larger than the limit cannot be rewritten without one of its lines.
    QByteArray large;
    for (int k = 0; k < 12000; ++k)
        large += "456,01,02,03,04,05,06,07\r\n";
    large += kLineA + "\r\n";
    QVERIFY(large.size() > qsizetype(kSizeLimit));
    dir.writeFile(kClientFile, large);
    {
        const FileSizeLimit limit(kSizeLimit);
        QVERIFY(limit.active());
        VERIFY_FAILS_UNCHANGED(dir, cancelListedLine(path, "123", 0), large);
        VERIFY_FAILS_UNCHANGED(dir, cancelAllListedLines(path, "123"), large);
    }

    // Without the limit the same operations succeed on the kept files.
    cancelListedLine(path, "123", 0);
    QCOMPARE(dir.readFile(kClientFile), large.left(large.size() - kLineA.size() - 2));
    dir.writeFile(kClientFile, small);
    appendEntryLines(path, manyRows(12000));
    QCOMPARE(ReadLines(path).size(), 12002);
}

SEPTARION_CORE_TEST_MAIN(TestEntryFile)
#include "test_entryfile.moc"
