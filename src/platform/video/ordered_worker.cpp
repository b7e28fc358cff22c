#include "platform/video/ordered_worker.h"

namespace roamer::video {

OrderedWorker::OrderedWorker(std::size_t depth)
    : m_depth(depth < 1 ? 1 : depth), m_thread([this] { Run(); }) {}

OrderedWorker::~OrderedWorker() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_jobs.clear();
    }
    m_changed.notify_all();
    m_thread.join();
}

bool OrderedWorker::Submit(Job job) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_failed || m_jobs.size() < m_depth; });
    if (m_failed) return false;
    m_jobs.push_back(std::move(job));
    lock.unlock();
    m_changed.notify_all();
    return true;
}

bool OrderedWorker::Drain() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_failed || (m_jobs.empty() && !m_running); });
    return !m_failed;
}

void OrderedWorker::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_stopping) return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_running = true;
        lock.unlock();
        const bool done = job();
        job = nullptr;  // what the job holds goes before the caller is told it ran
        lock.lock();
        m_running = false;
        if (!done) {
            m_failed = true;
            m_jobs.clear();
        }
        m_changed.notify_all();
    }
}

}  // namespace roamer::video
