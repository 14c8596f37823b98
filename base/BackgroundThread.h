#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A thread of its own that runs one job at a time while its owner goes on: a file reads ahead
// or writes behind on it.
class CBackgroundThread {
public:
    CBackgroundThread();
    CBackgroundThread(const CBackgroundThread&) = delete;
    CBackgroundThread& operator=(const CBackgroundThread&) = delete;
    ~CBackgroundThread();  // waits for the job under way

    // Waits for the job under way, then starts job. What the job writes is the owner's to read
    // once Wait has returned.
    void Start(std::function<void()> job);
    void Wait();

private:
    void Run();

    std::function<void()> m_job;  // empty when there is none under way
    bool m_bStopping = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;  // last: it starts once the rest is ready
};
