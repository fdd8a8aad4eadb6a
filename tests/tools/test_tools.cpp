// The picture tools and the start-up probe run the window over a folder the
// user names, which may be a real program folder with saved lines: they must
// leave it exactly as it was and write only to their output folder.
#include "TestSupport.h"

#include <QDirIterator>
#include <QProcess>

namespace {

// Every file and folder below the root, with the bytes of each file.
QMap<QString, QByteArray> snapshot(const QString& root) {
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString name = QDir(root).relativeFilePath(info.filePath());
        QFile file(info.filePath());
        entries.insert(name, info.isDir()                     ? QByteArray("<folder>")
                             : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                              : QByteArray("<unreadable>"));
    }
    return entries;
}

// The entries added, removed or changed between two snapshots, as text.
QString changes(const QMap<QString, QByteArray>& before, const QMap<QString, QByteArray>& after) {
    QStringList names;
    for (auto it = after.begin(); it != after.end(); ++it)
        if (!before.contains(it.key()))
            names.append(QStringLiteral("added ") + it.key());
        else if (before.value(it.key()) != it.value())
            names.append(QStringLiteral("changed ") + it.key());
    for (auto it = before.begin(); it != before.end(); ++it)
        if (!after.contains(it.key()))
            names.append(QStringLiteral("removed ") + it.key());
    return names.join(QStringLiteral(", "));
}

// Runs a tool to its end; its exit code, or -1 if it did not finish.
int runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(240'000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool isPicture(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(8) == "\x89PNG\r\n\x1a\n";
}

} // namespace

class TestTools : public QObject {
    Q_OBJECT

private slots:
    void picturesLeaveTheProgramFolderAsItWas();
    void probeLeavesTheProgramFolderAsItWas();
};

void TestTools::picturesLeaveTheProgramFolderAsItWas() {
    TempProgramDir program;
    program.writeSampleData(40);
    // Saved lines of the newest draw and of the next one, which the tools
    // would otherwise use for their own demo lines.
    program.writeFile(QStringLiteral("client/40.csv"), "40,01,02,03,04,05,06,07\r\n");
    program.writeFile(QStringLiteral("client/41.csv"), "41,10,11,12,13,14,15,16\r\n");
    const QMap<QString, QByteArray> before = snapshot(program.path());
    QTemporaryDir out;

    const QString screens = out.filePath(QStringLiteral("screens"));
    QCOMPARE(runTool(QStringLiteral(SEPTARION_SCREENSHOTS_TOOL), {program.path(), screens}), 0);
    QCOMPARE(changes(before, snapshot(program.path())), QString());
    for (const char* name : {"tab-lookup.png", "matching-run.png", "chart-bar-10.png"})
        QVERIFY2(isPicture(QDir(screens).filePath(QLatin1String(name))), name);

    const QString manual = out.filePath(QStringLiteral("manual"));
    QCOMPARE(runTool(QStringLiteral(SEPTARION_MANUAL_SCREENSHOTS_TOOL),
                     {program.filePath(QStringLiteral("download")), manual}),
             0);
    QCOMPARE(changes(before, snapshot(program.path())), QString());
    QVERIFY(isPicture(QDir(manual).filePath(QStringLiteral("tab-matching.png"))));
}

void TestTools::probeLeavesTheProgramFolderAsItWas() {
    TempProgramDir program; // no client/ yet: the window would create it
    program.writeSampleData(40);
    const QMap<QString, QByteArray> before = snapshot(program.path());
    QCOMPARE(runTool(QStringLiteral(SEPTARION_STARTUP_PROBE_TOOL), {program.path()}), 0);
    QCOMPARE(changes(before, snapshot(program.path())), QString());
}

SEPTARION_CORE_TEST_MAIN(TestTools)
#include "test_tools.moc"
