// The program-wide state: its start values, and the exit routine after a run
// with or without an update download.
#include <QTest>

#include <string>
#include <thread>

#include "shell/globals.h"

using namespace tulvarine;

namespace {
void VerifyStartFormat(const CharFormat* format) {
    QVERIFY(format != nullptr);
    QCOMPARE(format->face, std::string("宋体"));
    QCOMPARE(format->size, 9);
    QCOMPARE(format->offset, 0);
    QCOMPARE(format->effects, 0);
    QCOMPARE(format->colour, CharFormat::kAutomaticColour);
}
}  // namespace

class GlobalsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ReleaseGlobals(); }
    void nothingExistsBeforeStartUp();
    void startUpCreatesEveryGlobalWithItsStartValue();
    void downloadTaskStartsWithTheEngineDefaults();
    void releaseAfterNoUpdateCheckFreesEverything();
    void releaseStopsARunningDownloadBeforeFreeingItsTask();
    void workersShareTheListsUnderTheirLock();
    void downloadHandleStopsOnce();
    void downloadHandleForgetsATransferThatEnded();
};

void GlobalsTest::nothingExistsBeforeStartUp() {
    QVERIFY(!g_AlignFolderFiles);
    QVERIFY(!g_SeqBoxFormat);
    QVERIFY(!g_MergeTable);
    QVERIFY(!g_DownloadTask);
    QVERIFY(!g_TransferHandle);
    QVERIFY(!g_ExitConfirmed);
    QVERIFY(!g_MainWindowReady);
    QCOMPARE(g_SortIdCount.load(), 0);
}

void GlobalsTest::startUpCreatesEveryGlobalWithItsStartValue() {
    InitGlobals();
    QVERIFY(g_AlignFolderFiles && g_AlignFolderFiles->Get().empty());
    QVERIFY(g_FormatFolderFiles && g_FormatFolderFiles->Get().empty());
    QVERIFY(g_MergeTable && g_MergeTable->Get().records.Count() == 0 && g_MergeTable->Get().sources.empty());
    QVERIFY(g_CodonAminoMap && g_CodonAminoMap->Get().Count() == 0);
    VerifyStartFormat(g_SeqBoxFormat.get());
    VerifyStartFormat(g_RedMarkFormat.get());
    VerifyStartFormat(g_BlueMarkFormat.get());
    QVERIFY(g_RedMarkFormat.get() != g_SeqBoxFormat.get());  // three records, not one shared
    QVERIFY(g_TransferHandle && !g_TransferHandle->Attached());
    QCOMPARE(g_DownloadUrl.Get(), std::string());
    QCOMPARE(g_NewestVersion.Get(), std::string());
    QCOMPARE(g_DownloadTotalSize.load(), 0);
    QCOMPARE(g_UpdateAnimThread.load(), 0);
    QCOMPARE(g_UpdateCheckThread.load(), 0);
}

void GlobalsTest::downloadTaskStartsWithTheEngineDefaults() {
    InitGlobals();
    const TaskParam& task = *g_DownloadTask;
    QCOMPARE(task.blockSize, 1);
    QCOMPARE(task.address, std::string());
    QCOMPARE(task.localFolder, std::string());
    QCOMPARE(task.ftpUser, std::string("anonymous"));
    QCOMPARE(task.ftpPassword.size(), std::size_t(17));
    QVERIFY(task.ftpPassword.find('@') != std::string::npos);
    QCOMPARE(task.connections, 1);
    QCOMPARE(task.options, 0);
    QCOMPARE(task.connectTimeoutMs, 20000);
    QCOMPARE(task.sendTimeoutMs, 20000);
    QCOMPARE(task.receiveTimeoutMs, 20000);
    QCOMPARE(task.retryWaitMs, 1000);
    QCOMPARE(task.bufferSize, 20480);
    QCOMPARE(task.minimumBlock, 1024);
    QVERIFY(!task.progressRoutine);
    QVERIFY(!task.eventCallback);
    QCOMPARE(task.referrer, std::string());
    QCOMPARE(task.overwrite, 1);
    QCOMPARE(task.fileTypes, std::string(".exe|.rar|.zip|.gif|.jpg|.mp3|.rm"));
    QCOMPARE(task.userAgent, std::string());
    QCOMPARE(task.comment, std::string());
}

void GlobalsTest::releaseAfterNoUpdateCheckFreesEverything() {
    InitGlobals();
    g_MergeTable->With([](MergeTableContents& table) { QVERIFY(table.records.Add("sp1", "ACGT")); });
    ReleaseGlobals();
    QVERIFY(!g_AlignFolderFiles);
    QVERIFY(!g_SeqBoxFormat);
    QVERIFY(!g_RedMarkFormat);
    QVERIFY(!g_BlueMarkFormat);
    QVERIFY(!g_MergeTable);
    QVERIFY(!g_CodonAminoMap);
    QVERIFY(!g_FormatFolderFiles);
    QVERIFY(!g_DownloadTask);
    QVERIFY(!g_TransferHandle);
    QCOMPARE(g_DownloadUrl.Get(), std::string());
    QCOMPARE(g_NewestVersion.Get(), std::string());
    ReleaseGlobals();  // a second run finds nothing to free
    QVERIFY(!g_DownloadTask);
}

void GlobalsTest::releaseStopsARunningDownloadBeforeFreeingItsTask() {
    InitGlobals();
    g_DownloadUrl.Set("https://example.org/tulvarine-1.2.3.zip");
    g_NewestVersion.Set("1.2.3");
    int stops = 0;
    bool taskAliveWhileStopping = false;
    g_TransferHandle->Attach([&] {
        ++stops;
        taskAliveWhileStopping = g_DownloadTask != nullptr;
    });
    ReleaseGlobals();
    QCOMPARE(stops, 1);
    QVERIFY(taskAliveWhileStopping);
    QCOMPARE(g_DownloadUrl.Get(), std::string());
    QCOMPARE(g_NewestVersion.Get(), std::string());
}

void GlobalsTest::workersShareTheListsUnderTheirLock() {
    InitGlobals();
    constexpr int kPerThread = 2000;
    auto add = [] {
        for (int i = 0; i < kPerThread; ++i)
            g_AlignFolderFiles->With([](TextArray& files) { files.push_back("a.fas"); });
    };
    std::thread first(add), second(add);
    first.join();
    second.join();
    QCOMPARE(g_AlignFolderFiles->Get().size(), std::size_t(2 * kPerThread));
}

void GlobalsTest::downloadHandleStopsOnce() {
    DownloadHandle handle;
    handle.StopAndWait();  // nothing attached: nothing to stop
    int stops = 0;
    handle.Attach([&] { ++stops; });
    QVERIFY(handle.Attached());
    handle.StopAndWait();
    handle.StopAndWait();
    QCOMPARE(stops, 1);
    QVERIFY(!handle.Attached());
}

void GlobalsTest::downloadHandleForgetsATransferThatEnded() {
    DownloadHandle handle;
    QCOMPARE(handle.ReceivedBytes(), std::int64_t(0));
    int stops = 0;
    std::int64_t received = 0;
    handle.Attach([&] { ++stops; }, [&] { return received; });
    received = 5000000000;  // beyond 32 bits
    QCOMPARE(handle.ReceivedBytes(), std::int64_t(5000000000));
    handle.Detach();  // the transfer finished by itself: nothing is left to stop
    QVERIFY(!handle.Attached());
    QCOMPARE(handle.ReceivedBytes(), std::int64_t(0));
    handle.StopAndWait();
    QCOMPARE(stops, 0);
}

QTEST_APPLESS_MAIN(GlobalsTest)
#include "globals_test.moc"
