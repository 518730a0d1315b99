#include "floorplan/PaintThreads.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace plan {
namespace {

// One thread waiting for a job, running it, and waiting again until it is told to stop.
class PaintThread {
public:
    PaintThread() : thread_([this] { Run(); }) {}

    ~PaintThread() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    PaintThread(const PaintThread &) = delete;
    PaintThread &operator=(const PaintThread &) = delete;

    void Start(std::function<void()> job) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            job_ = std::move(job);
            finished_ = false;
        }
        wake_.notify_all();
    }

    // Waits for the job given to Start(); whether it ran to its end.
    bool Wait() {
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait(lock, [this] { return finished_; });
        return succeeded_;
    }

private:
    void Run() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stop_ || job_; });
            if (stop_)
                break;
            std::function<void()> job = std::move(job_);
            job_ = nullptr;
            lock.unlock();
            bool succeeded = true;
            try {
                job();
            } catch (...) {
                succeeded = false;
            }
            job = nullptr; // what it holds goes before its caller hears it is done
            lock.lock();
            succeeded_ = succeeded;
            finished_ = true;
            wake_.notify_all();
        }
        lock.unlock();
        for (const auto &done : atEnd_)
            done();
    }

    friend void plan::AtPaintThreadEnd(std::function<void()> done);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::function<void()> job_;
    bool stop_ = false;
    bool finished_ = true;
    bool succeeded_ = true;
    std::vector<std::function<void()>> atEnd_;
    std::thread thread_; // last: it starts once the rest is made
};

// The threads, made on first use; they end with the application, before it takes down the
// fonts they were using.
std::vector<std::unique_ptr<PaintThread>> &Threads() {
    static std::vector<std::unique_ptr<PaintThread>> threads;
    return threads;
}

thread_local PaintThread *tCurrent = nullptr;

void EndThreads() {
    Threads().clear();
}

} // namespace

int PaintThreadCount() {
    return std::clamp(QThread::idealThreadCount() - 1, 0, 3);
}

std::vector<bool> RunOnPaintThreads(std::vector<std::function<void()>> jobs,
                                    const std::function<void()> &meanwhile) {
    auto &threads = Threads();
    std::size_t started = std::min(jobs.size(), static_cast<std::size_t>(PaintThreadCount()));
    if (threads.empty() && started > 0 && QCoreApplication::instance())
        qAddPostRoutine(EndThreads);
    // A thread the system will not start leaves its job not run.
    try {
        while (threads.size() < started)
            threads.push_back(std::make_unique<PaintThread>());
    } catch (const std::system_error &) {
        started = threads.size();
    }
    for (std::size_t i = 0; i < started; ++i) {
        PaintThread *thread = threads[i].get();
        thread->Start([thread, job = std::move(jobs[i])] {
            tCurrent = thread;
            job();
        });
    }
    // Should the calling thread's part throw, the others must not go on with what its caller
    // is about to free.
    struct WaitForAll {
        std::vector<std::unique_ptr<PaintThread>> &threads;
        std::size_t started;
        ~WaitForAll() {
            for (std::size_t i = 0; i < started; ++i)
                threads[i]->Wait();
        }
    } waiting{threads, started};
    if (meanwhile)
        meanwhile();
    std::vector<bool> ran(jobs.size(), false);
    for (std::size_t i = 0; i < started; ++i)
        ran[i] = threads[i]->Wait();
    return ran;
}

void AtPaintThreadEnd(std::function<void()> done) {
    // Only the thread itself adds to its list, and reads it only after its last job.
    if (tCurrent)
        tCurrent->atEnd_.push_back(std::move(done));
}

} // namespace plan
