#include <chrono>
#include <future>
#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include "gui/dialog_work.h"

namespace {

using namespace std::chrono_literals;

// What a pass left behind still does after the window has gone: each is counted where
// the test can see it, never in the test's own frame, which the pass may outlive.
struct PassTrace
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> gone;
};

// Marks the end of everything the pass's thread holds of it.
struct GoneMark
{
    explicit GoneMark(std::shared_ptr<PassTrace> passTrace) : trace(std::move(passTrace)) {}
    ~GoneMark()
    {
        trace->gone.set_value();
    }
    GoneMark(const GoneMark&) = delete;
    GoneMark& operator=(const GoneMark&) = delete;
    std::shared_ptr<PassTrace> trace;
};

// A pass stuck in one step that pays no heed to the stop (a file that never answers)
// until the test releases it; then it reports its progress and finds something.
DialogWork::Work StuckPass(const std::shared_ptr<PassTrace>& trace, std::shared_ptr<int> outcomes)
{
    return [trace, outcomes](std::stop_token, const zvk::ListProgress& progress) {
        trace->released.wait();
        progress(1, 2);
        progress(2, 2);
        return std::function<void()>(
            [outcomes, mark = std::make_shared<GoneMark>(trace)] { ++*outcomes; });
    };
}

void RunWindowEvents()
{
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents();
}

} // namespace

class DialogWorkTest : public QObject
{
    Q_OBJECT

private slots:
    void aStuckPassIsLeftBehindAndNothingOfItReachesTheWindow_data()
    {
        QTest::addColumn<bool>("dialogCloses");
        QTest::newRow("Zrušiť") << false;
        QTest::newRow("the dialog closes") << true;
    }

    // "Zrušiť" and closing the dialog are back within the stop's wait while the pass is
    // stuck, and the window hears that the pass ended. Whatever the pass does once it
    // comes loose (progress, its outcome, its end) reaches nothing: under the sanitizers
    // a post into the queue of a dialog that has gone is a use after free. The same
    // work then starts a pass that ends as usual.
    void aStuckPassIsLeftBehindAndNothingOfItReachesTheWindow()
    {
        QFETCH(bool, dialogCloses);
        std::vector<std::uint64_t> shownProgress;
        std::vector<bool> shownRunning;
        auto work = std::make_unique<DialogWork>(
            [&](std::uint64_t done, std::uint64_t) { shownProgress.push_back(done); },
            [&](bool running) { shownRunning.push_back(running); });
        const auto trace = std::make_shared<PassTrace>();
        const auto outcomes = std::make_shared<int>(0);
        work->Start(StuckPass(trace, outcomes), DialogWork::WhenStopped::Deliver);

        QElapsedTimer waited;
        waited.start();
        if (dialogCloses)
            work.reset();
        else
            work->Stop();
        QVERIFY(waited.elapsed() < DialogWork::kStopWait.count() + 2000);
        if (!dialogCloses) {
            QVERIFY(!work->Running());
            QCOMPARE(shownRunning, (std::vector<bool>{true, false}));
        }

        trace->release.set_value();
        QCOMPARE(trace->gone.get_future().wait_for(10s), std::future_status::ready);
        RunWindowEvents();
        QVERIFY(shownProgress.empty());
        QCOMPARE(*outcomes, 0);
        if (dialogCloses)
            return;

        QCOMPARE(shownRunning.size(), std::size_t{2});
        const auto next = std::make_shared<PassTrace>();
        next->release.set_value();
        work->Start(StuckPass(next, outcomes), DialogWork::WhenStopped::Deliver);
        QTRY_COMPARE(*outcomes, 1);
        QCOMPARE(shownRunning, (std::vector<bool>{true, false, true, false}));
        QCOMPARE(shownProgress, (std::vector<std::uint64_t>{1, 2}));
    }
};

QTEST_MAIN(DialogWorkTest)
#include "dialog_work_test.moc"
