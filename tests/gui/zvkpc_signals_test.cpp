#include <csignal>
#include <filesystem>

#include <signal.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "support/large_list_handheld.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// The hidden temporary files that writers leave while they write (".BIG.DAT.<hex>-<hex>.tmp").
QFileInfoList TemporaryFiles(const fs::path& folder, const QString& of = QStringLiteral("*"))
{
    return QDir(QString::fromStdString(folder.string()))
        .entryInfoList({QStringLiteral(".%1.*.tmp").arg(of)}, QDir::Files | QDir::Hidden);
}

// zvkpc started as a script starts it, receiving from `handheld` into `to` at once.
bool StartReceiving(QProcess& zvkpc, const zvk::test::LargeListHandheld& handheld,
                    const fs::path& to)
{
    handheld.Dir().Write("ZVKServer.ini", "[zvkpc]\r\nImportpath=" + to.string() + "\r\n");
    zvkpc.setWorkingDirectory(QString::fromStdString(handheld.Dir().Path().string()));
    zvkpc.start(QStringLiteral(ZVKPC_PATH), {QStringLiteral("/R")});
    return zvkpc.waitForStarted();
}

} // namespace

// zvkpc as a script starts it ("/R": receive at once, then close), stopped by a signal while
// the large list is on its way.
class ZvkpcSignalsTest : public QObject
{
    Q_OBJECT

private slots:
    void aStopSignalStopsTheReceptionAsClosingTheWindowDoes_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP, the desktop session logs out") << SIGHUP;
    }

    void aStopSignalStopsTheReceptionAsClosingTheWindowDoes()
    {
        QFETCH(int, number);
        const zvk::test::LargeListHandheld handheld;
        const fs::path to = handheld.Dir().Path() / "prijate";
        QProcess zvkpc;
        QVERIFY(StartReceiving(zvkpc, handheld, to));
        const auto receivingTheLargeList = [&to] {
            for (const QFileInfo& file : TemporaryFiles(to, QStringLiteral("BIG.DAT")))
                if (file.size() > 0)
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(receivingTheLargeList(), 10000);
        QCOMPARE(::kill(static_cast<pid_t>(zvkpc.processId()), number), 0);
        QVERIFY(zvkpc.waitForFinished(20000));
        QCOMPARE(zvkpc.exitStatus(), QProcess::NormalExit);
        QCOMPARE(zvkpc.exitCode(), 128 + number);
        QVERIFY(TemporaryFiles(to).isEmpty());
        QVERIFY(!fs::exists(to / "BIG.DAT"));
        QVERIFY(zvk::test::ReadBytes(handheld.Folder() / "ZVK_CE" / "Data" / "BIG.DAT") ==
                handheld.Large());
    }

    // Held where no stop reaches it (a read from a handheld whose link takes ten minutes a
    // piece, which no stop shortens), zvkpc ends at once on a second signal, with the
    // status of the first, and the handheld keeps its lists.
    void aSecondSignalEndsAHeldProgramAtOnce()
    {
        const zvk::test::LargeListHandheld handheld;
        handheld.Dir().Write("handheld/emulator.ini", "[Emulator]\r\nReadDelayMs=600000\r\n");
        const fs::path to = handheld.Dir().Path() / "prijate";
        QProcess zvkpc;
        QVERIFY(StartReceiving(zvkpc, handheld, to));
        QTRY_VERIFY_WITH_TIMEOUT(!TemporaryFiles(to).isEmpty(), 10000);
        // The first read follows its list's file at once, and then waits.
        QTest::qWait(300);
        const auto pid = static_cast<pid_t>(zvkpc.processId());
        QCOMPARE(::kill(pid, SIGTERM), 0);
        QVERIFY2(!zvkpc.waitForFinished(500), "it was not held");
        QCOMPARE(::kill(pid, SIGINT), 0);
        QVERIFY(zvkpc.waitForFinished(10000));
        QCOMPARE(zvkpc.exitStatus(), QProcess::NormalExit);
        QCOMPARE(zvkpc.exitCode(), 128 + SIGTERM);
        QCOMPARE(zvk::test::ReadBytes(handheld.Folder() / "ZVK_CE" / "Data" / "BIG.DAT").size(),
                 handheld.Large().size());
    }
};

QTEST_MAIN(ZvkpcSignalsTest)
#include "zvkpc_signals_test.moc"
