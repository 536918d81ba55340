#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include "gui/window_call_queue.h"

namespace {

// Long enough to live on the heap, as the texts of real notices do.
std::string ListName(int number)
{
    return "Príjem zoznamu z meracieho zariadenia LIST" + std::to_string(number) + ".DAT";
}

} // namespace

// The hand-over of the worker's notices and questions to the window's thread.
class WindowCallQueueTest : public QObject
{
    Q_OBJECT

private slots:
    // The data a worker puts into its calls reaches the window's thread whole, in the order
    // posted, and the calls run only there. Under ThreadSanitizer this also checks that the
    // hand-over is one the tool can see: a call carried by Qt's event queue alone is
    // reported as a race, since Debian's Qt is not built for the tool.
    void callsFromAWorkerRunOnTheQueuesThreadInOrder()
    {
        constexpr int kCalls = 20000;
        WindowCallQueue queue;
        std::vector<std::string> received;
        bool allOnTheQueuesThread = true;
        QThread* const queueThread = QThread::currentThread();
        std::jthread worker([&] {
            for (int i = 0; i < kCalls; ++i) {
                queue.Post([&, text = ListName(i)] {
                    allOnTheQueuesThread =
                        allOnTheQueuesThread && QThread::currentThread() == queueThread;
                    received.push_back(text);
                });
            }
        });
        // The window's thread keeps running its events while the calls come, as the
        // window does during a transfer: the worker's posting meets their running.
        while (received.size() < kCalls)
            QCoreApplication::processEvents();
        worker.join();
        QVERIFY(allOnTheQueuesThread);
        for (int i = 0; i < kCalls; ++i)
            QCOMPARE(received[static_cast<std::size_t>(i)], ListName(i));
    }

    // A window that closes drops the calls still waiting, and nothing runs after it is gone.
    void callsStillWaitingWhenTheQueueGoesNeverRun()
    {
        auto ran = std::make_shared<bool>(false);
        {
            WindowCallQueue queue;
            queue.Post([ran] { *ran = true; });
        }
        QTest::qWait(50);
        QVERIFY(!*ran);
    }
};

QTEST_MAIN(WindowCallQueueTest)
#include "window_call_queue_test.moc"
