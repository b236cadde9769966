#include "serve/SessionPool.hpp"

namespace tipolaria::serve {

SessionPool::SessionPool(const SessionConfig& config, std::size_t workers)
    : concurrent_(WorkerSession::RunsInParallel() ? workers : 1) {
  for (std::size_t i = 0; i < workers; ++i) {
    SessionConfig own = config;
    if (!own.sql_log.empty() && workers > 1) own.sql_log += "." + std::to_string(i + 1);
    sessions_.push_back(std::make_unique<WorkerSession>(own));
    free_.push_back(sessions_.back().get());
  }
}

SessionPool::Lease::~Lease() {
  if (pool_ != nullptr) pool_->Release(session_);
}

SessionPool::Lease SessionPool::Acquire() {
  std::unique_lock lock(mutex_);
  freed_.wait(lock, [this] { return !free_.empty() && busy_ < concurrent_; });
  WorkerSession* session = free_.back();
  free_.pop_back();
  ++busy_;
  return Lease(this, session);
}

std::size_t SessionPool::busy() {
  std::lock_guard lock(mutex_);
  return busy_;
}

void SessionPool::Release(WorkerSession* session) {
  {
    std::lock_guard lock(mutex_);
    free_.push_back(session);
    --busy_;
  }
  freed_.notify_one();
}

}  // namespace tipolaria::serve
