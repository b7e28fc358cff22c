#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace roamer::video {

// Runs jobs one after another, in the order given, on a thread of its own, so that the caller
// can go on with its next piece of work meanwhile. At most `depth` jobs wait: Submit blocks while
// that many do. The first job that fails stops the rest; Submit and Drain say so.
class OrderedWorker {
public:
    using Job = std::function<bool()>;

    explicit OrderedWorker(std::size_t depth);
    // Discards the jobs still waiting and waits for the running one.
    ~OrderedWorker();
    OrderedWorker(const OrderedWorker&) = delete;
    OrderedWorker& operator=(const OrderedWorker&) = delete;

    // False, without taking the job, once a job has failed.
    bool Submit(Job job);
    // Waits until every job given has run; false when one failed.
    bool Drain();

private:
    void Run();

    std::size_t m_depth;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;
    bool m_running = false;  // a job taken off the queue has not ended yet
    bool m_failed = false;
    bool m_stopping = false;
    std::thread m_thread;  // last: it starts once everything above is ready
};

}  // namespace roamer::video
