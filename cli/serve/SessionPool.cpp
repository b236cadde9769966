#include "serve/SessionPool.hpp"

namespace tipolaria::serve {
namespace {

std::unique_ptr<Session> OpenSession(const SessionConfig& config, const std::string& sql_log) {
  auto session = std::make_unique<Session>();
  // The settings are kept across Init: made first, they hold from the
  // session's first statement on.
  session->SetLockTimeout(config.lock_timeout);
  session->SetLogo(config.logo);
  if (!sql_log.empty()) session->SetSqlLog(sql_log);
  if (config.on_lock_wait) {
    session->SetLockWaitNotice([notice = config.on_lock_wait](const std::string&) { notice(); });
  }
  session->Init(config.connection);  // raises when the database cannot be opened
  return session;
}

}  // namespace

SessionPool::SessionPool(const SessionConfig& config, std::size_t workers) {
  for (std::size_t i = 0; i < workers; ++i) {
    std::string sql_log = config.sql_log;
    if (!sql_log.empty() && workers > 1) sql_log += "." + std::to_string(i + 1);
    sessions_.push_back(OpenSession(config, sql_log));
    free_.push_back(sessions_.back().get());
  }
}

SessionPool::Lease::~Lease() {
  if (pool_ != nullptr) pool_->Release(session_);
}

SessionPool::Lease SessionPool::Acquire() {
  std::unique_lock lock(mutex_);
  freed_.wait(lock, [this] { return !free_.empty(); });
  Session* session = free_.back();
  free_.pop_back();
  return Lease(this, session);
}

std::size_t SessionPool::busy() {
  std::lock_guard lock(mutex_);
  return sessions_.size() - free_.size();
}

void SessionPool::Release(Session* session) {
  {
    std::lock_guard lock(mutex_);
    free_.push_back(session);
  }
  freed_.notify_one();
}

}  // namespace tipolaria::serve
