#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Runs an action on a thread of its own when an operation of the board's thread outlasts its time: the
// layer uses it to break off a Firebird call that waits on a server that stopped answering. One
// operation at a time; the thread starts on first use and ends with the watchdog.
class Watchdog {
 public:
  Watchdog() = default;
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  void arm(std::chrono::milliseconds limit, std::function<void()> onExpiry);
  // Once this returns, the action is neither running nor going to run.
  void disarm();

  // Arms for the lifetime of a scope; a null watchdog or an empty action watches nothing.
  class Scope {
   public:
    Scope(Watchdog* watchdog, std::chrono::milliseconds limit, std::function<void()> onExpiry);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    Watchdog* m_watchdog = nullptr;
  };

 private:
  void run();

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::thread m_thread;
  bool m_stopping = false;
  bool m_armed = false;
  std::chrono::steady_clock::time_point m_deadline;
  std::function<void()> m_action;
};
