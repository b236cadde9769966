// The jobs of a batch: one thread per session, each taking the next
// declaration of the list as it finishes one, and the results handed on in
// the order of the list, each as soon as it and all before it are done, so
// that the output of N jobs is that of one, only sooner.
#ifndef TIPOLARIA_CLI_BATCHJOBS_HPP_
#define TIPOLARIA_CLI_BATCHJOBS_HPP_

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "tipolaria/session.hpp"

namespace tipolaria::cli {

// Runs work(session, i) for each i in [0, count) on the threads of
// `sessions`, one thread each, and calls done(i, result) on the calling
// thread for i = 0, 1, ... in turn. An exception that leaves `work` is
// raised again from here, in its turn; the threads finish the work under
// way first.
template <typename Result>
void RunJobs(const std::vector<Session*>& sessions, std::size_t count,
             const std::function<Result(Session&, std::size_t)>& work,
             const std::function<void(std::size_t, const Result&)>& done) {
  struct Slot {
    std::optional<Result> result;
    std::exception_ptr error;
    bool ready = false;
  };
  std::vector<Slot> slots(count);
  std::mutex mutex;
  std::condition_variable finished;
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};

  std::vector<std::jthread> threads;
  for (Session* session : sessions) {
    threads.emplace_back([&, session] {
      for (std::size_t i; !stop && (i = next++) < count;) {
        Slot slot;
        try {
          slot.result.emplace(work(*session, i));
        } catch (...) {
          slot.error = std::current_exception();
        }
        slot.ready = true;
        std::lock_guard<std::mutex> guard(mutex);
        slots[i] = std::move(slot);
        finished.notify_all();
      }
    });
  }
  try {
    for (std::size_t i = 0; i < count; ++i) {
      std::unique_lock<std::mutex> lock(mutex);
      finished.wait(lock, [&] { return slots[i].ready; });
      Slot slot = std::move(slots[i]);
      lock.unlock();
      if (slot.error) std::rethrow_exception(slot.error);
      done(i, *slot.result);
    }
  } catch (...) {
    stop = true;  // the threads end with the work under way, joined on the way out
    throw;
  }
}

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_BATCHJOBS_HPP_
