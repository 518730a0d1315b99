// The painting threads: each job runs on a thread of its own while the caller does its part,
// a job that throws is reported as not run, and jobs beyond the threads are not run at all.

#include "floorplan/PaintThreads.h"

#include <QCoreApplication>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <stdexcept>

class TestPaintThreads : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void jobsAndTheirOutcome() {
        const int threads = plan::PaintThreadCount();
        if (threads == 0)
            QSKIP("one core: there are no painting threads");
        std::atomic<int> onOtherThreads{0};
        std::vector<std::function<void()>> jobs;
        const auto counted = [&] {
            if (QThread::currentThread() != QCoreApplication::instance()->thread())
                ++onOtherThreads;
        };
        jobs.emplace_back([] { throw std::runtime_error("a band that could not be painted"); });
        for (int i = 1; i < threads + 2; ++i)
            jobs.emplace_back(counted);
        bool meanwhile = false;
        // Twice: the threads are kept, and a job that threw leaves its thread working.
        for (int round = 0; round < 2; ++round) {
            onOtherThreads = 0;
            const std::vector<bool> ran = plan::RunOnPaintThreads(jobs, [&] { meanwhile = true; });
            QCOMPARE(ran.size(), jobs.size());
            QVERIFY(meanwhile);
            QVERIFY(!ran[0]);
            for (std::size_t i = 1; i < ran.size(); ++i)
                QCOMPARE(bool(ran[i]), i < std::size_t(threads));
            QCOMPARE(onOtherThreads.load(), threads - 1);
        }
    }
};

QTEST_MAIN(TestPaintThreads)
#include "tst_PaintThreads.moc"
