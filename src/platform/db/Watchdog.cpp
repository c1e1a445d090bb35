#include "platform/db/Watchdog.h"

Watchdog::~Watchdog() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
    m_armed = false;
  }
  m_changed.notify_all();
  if (m_thread.joinable()) m_thread.join();
}

void Watchdog::arm(std::chrono::milliseconds limit, std::function<void()> onExpiry) {
  {
    std::lock_guard lock(m_mutex);
    m_deadline = std::chrono::steady_clock::now() + limit;
    m_action = std::move(onExpiry);
    m_armed = true;
    if (!m_thread.joinable()) m_thread = std::thread([this] { run(); });
  }
  m_changed.notify_all();
}

void Watchdog::disarm() {
  // The action runs under the mutex, so taking it waits for an action under way to finish.
  std::lock_guard lock(m_mutex);
  m_armed = false;
  m_action = nullptr;
}

void Watchdog::run() {
  std::unique_lock lock(m_mutex);
  while (!m_stopping) {
    if (!m_armed) {
      m_changed.wait(lock);
      continue;
    }
    if (m_changed.wait_until(lock, m_deadline) == std::cv_status::timeout && m_armed &&
        std::chrono::steady_clock::now() >= m_deadline) {
      m_armed = false;
      if (m_action) m_action();
      m_action = nullptr;
    }
  }
}

Watchdog::Scope::Scope(Watchdog* watchdog, std::chrono::milliseconds limit, std::function<void()> onExpiry) {
  if (!watchdog || !onExpiry || limit.count() <= 0) return;
  m_watchdog = watchdog;
  m_watchdog->arm(limit, std::move(onExpiry));
}

Watchdog::Scope::~Scope() {
  if (m_watchdog) m_watchdog->disarm();
}
