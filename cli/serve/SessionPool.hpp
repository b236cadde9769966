// The service's workers: one session each, opened when the service starts
// (a database that cannot be opened stops it there, not at the first
// request). A request borrows a free session for its print and gives it
// back when done; while every session is busy, requests wait their turn.
#ifndef TIPOLARIA_CLI_SERVE_SESSIONPOOL_HPP_
#define TIPOLARIA_CLI_SERVE_SESSIONPOOL_HPP_

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "serve/WorkerSession.hpp"

namespace tipolaria::serve {

class SessionPool {
 public:
  // Raises ComError when a session cannot open the database. With several
  // workers, each writes its statement log to a file of its own: FILE.1,
  // FILE.2, ...
  SessionPool(const SessionConfig& config, std::size_t workers);
  SessionPool(const SessionPool&) = delete;
  SessionPool& operator=(const SessionPool&) = delete;

  // A session borrowed for one request.
  class Lease {
   public:
    Lease(Lease&& other) noexcept : pool_(other.pool_), session_(other.session_) {
      other.pool_ = nullptr;
    }
    Lease& operator=(Lease&&) = delete;
    ~Lease();
    WorkerSession& session() { return *session_; }

   private:
    friend class SessionPool;
    Lease(SessionPool* pool, WorkerSession* session) : pool_(pool), session_(session) {}
    SessionPool* pool_;
    WorkerSession* session_;
  };

  // Waits for a free session.
  Lease Acquire();

  std::size_t size() const { return sessions_.size(); }
  std::size_t busy();

 private:
  void Release(WorkerSession* session);

  std::vector<std::unique_ptr<WorkerSession>> sessions_;
  std::mutex mutex_;
  std::condition_variable freed_;
  std::vector<WorkerSession*> free_;
  // How many sessions may print at once: all of them, unless the sessions
  // of a process share one state.
  std::size_t concurrent_;
  std::size_t busy_ = 0;
};

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_SESSIONPOOL_HPP_
