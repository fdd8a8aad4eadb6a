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
        QFile file(it.next());
        entries.insert(QDir(root).relativeFilePath(file.fileName()),
                       file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<folder>"));
    }
    return entries;
}

// Runs a tool to its end: its exit code, or -1 if it crashed or hung.
int runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(240'000))
        process.kill();
    process.waitForFinished();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

class TestTools : public QObject {
    Q_OBJECT

    TempProgramDir m_program;

private slots:
    void picturesAndProbeLeaveTheProgramFolderAsItWas() {
        m_program.writeSampleData(40);
        auto before = snapshot(m_program.path());
        QCOMPARE(runTool(QStringLiteral(SEPTARION_STARTUP_PROBE_TOOL), {m_program.path()}), 0);
        // The keys first: a failure then names the file that came or went.
        QCOMPARE(snapshot(m_program.path()).keys(), before.keys()); // no client/ made
        QVERIFY(snapshot(m_program.path()) == before);

        // Saved lines of the newest draw and of the next one, where the
        // tools put their own demo lines.
        m_program.writeFile(QStringLiteral("client/40.csv"), "40,01,02,03,04,05,06,07\r\n");
        m_program.writeFile(QStringLiteral("client/41.csv"), "41,10,11,12,13,14,15,16\r\n");
        before = snapshot(m_program.path());
        QTemporaryDir out;
        const QString screens = out.filePath(QStringLiteral("screens"));
        QCOMPARE(runTool(QStringLiteral(SEPTARION_SCREENSHOTS_TOOL), {m_program.path(), screens}),
                 0);
        QCOMPARE(snapshot(m_program.path()).keys(), before.keys());
        QVERIFY(snapshot(m_program.path()) == before);
        QVERIFY(QFileInfo(screens + QStringLiteral("/matching-run.png")).size() > 0);

        const QString manual = out.filePath(QStringLiteral("manual"));
        QCOMPARE(runTool(QStringLiteral(SEPTARION_MANUAL_SCREENSHOTS_TOOL),
                         {m_program.filePath(QStringLiteral("download")), manual}),
                 0);
        QCOMPARE(snapshot(m_program.path()).keys(), before.keys());
        QVERIFY(snapshot(m_program.path()) == before);
        QVERIFY(QFileInfo(manual + QStringLiteral("/tab-lookup.png")).size() > 0);
    }
};

SEPTARION_CORE_TEST_MAIN(TestTools)
#include "test_tools.moc"
