// The service's workers: one tipolaria::Session each, with its own
// connection, settings, picture folder and snapshot, opened when the service
// starts (a database that cannot be opened stops it there, not at the first
// request). A request borrows a free session for its print and gives it
// back when done; while every session is busy, requests wait their turn.
// Borrowed sessions print at the same time; their generations take turns
// through the database's print lock.
#ifndef TIPOLARIA_CLI_SERVE_SESSIONPOOL_HPP_
#define TIPOLARIA_CLI_SERVE_SESSIONPOOL_HPP_

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tipolaria/session.hpp"

namespace tipolaria::serve {

struct SessionConfig {
  std::string connection;
  std::int32_t lock_timeout = 60;  // seconds
  std::string logo;                // a PNG drawn in every page's logo box; empty: none
  // Told when a session has waited for the print lock half a second and
  // waits on (Session::SetLockWaitNotice).
  std::function<void()> on_lock_wait;
  // The statement log's file; empty: none.
  std::string sql_log;
};

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
    Session& session() { return *session_; }

   private:
    friend class SessionPool;
    Lease(SessionPool* pool, Session* session) : pool_(pool), session_(session) {}
    SessionPool* pool_;
    Session* session_;
  };

  // Waits for a free session.
  Lease Acquire();

  std::size_t size() const { return sessions_.size(); }
  std::size_t busy();

 private:
  void Release(Session* session);

  std::vector<std::unique_ptr<Session>> sessions_;
  std::mutex mutex_;
  std::condition_variable freed_;
  std::vector<Session*> free_;
};

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_SESSIONPOOL_HPP_
