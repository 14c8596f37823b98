#include "base/BackgroundThread.h"

CBackgroundThread::CBackgroundThread() : m_thread([this] { Run(); }) {}

CBackgroundThread::~CBackgroundThread() {
    {
        std::lock_guard lock(m_mutex);
        m_bStopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CBackgroundThread::Start(std::function<void()> job) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_job; });
    m_job = std::move(job);
    m_changed.notify_all();
}

void CBackgroundThread::Wait() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_job; });
}

void CBackgroundThread::Run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_job || m_bStopping; });
        if (!m_job) {
            return;
        }
        lock.unlock();
        m_job();
        lock.lock();
        m_job = nullptr;
        m_changed.notify_all();
    }
}
