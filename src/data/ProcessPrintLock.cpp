#include "data/ProcessPrintLock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <utility>

#include "data/DatabaseErrors.hpp"

namespace tipolaria {
namespace {

using FileId = std::pair<dev_t, ino_t>;

// The locks of the files some session of the process has open. An entry
// goes when its last session lets go of it (the weak pointer expires).
struct Registry {
  std::mutex mutex;
  std::map<FileId, std::weak_ptr<ProcessPrintLock>> locks;
};

Registry& Locks() {
  static Registry registry;
  return registry;
}

[[noreturn]] void RaiseLockError(const std::string& what, const std::string& path) {
  RaiseDatabaseError("SQLite", "Cannot " + what + " the print lock file \"" + path +
                                   "\": " + std::strerror(errno));
}

}  // namespace

std::shared_ptr<ProcessPrintLock> ProcessPrintLock::Of(int fd, const std::string& path) {
  struct stat file {};
  if (::fstat(fd, &file) != 0) RaiseLockError("examine", path);
  const FileId id{file.st_dev, file.st_ino};
  Registry& registry = Locks();
  std::lock_guard<std::mutex> guard(registry.mutex);
  std::erase_if(registry.locks, [](const auto& entry) { return entry.second.expired(); });
  if (auto lock = registry.locks[id].lock()) return lock;
  // A descriptor of the process's own: the session that opened `fd` may
  // close it while others still use the lock.
  const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (own < 0) RaiseLockError("open", path);
  std::shared_ptr<ProcessPrintLock> lock(new ProcessPrintLock(own));
  registry.locks[id] = lock;
  return lock;
}

ProcessPrintLock::~ProcessPrintLock() { ::close(fd_); }

bool ProcessPrintLock::LockWithin(std::chrono::milliseconds wait, const std::string& path) {
  using Clock = std::chrono::steady_clock;
  // The longest pause between two looks at another process's lock.
  constexpr std::chrono::milliseconds kPollLimit{10};
  const Clock::time_point deadline = Clock::now() + wait;
  std::chrono::milliseconds pause{1};
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    if (!held_ && LockFile(path)) {
      held_ = true;
      return true;
    }
    const Clock::time_point now = Clock::now();
    if (now >= deadline) return false;
    if (held_) {
      released_.wait_until(lock, deadline);
    } else {
      // The kernel tells nobody when another process lets go.
      lock.unlock();
      std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
      pause = std::min(pause * 2, kPollLimit);
      lock.lock();
    }
  }
}

bool ProcessPrintLock::LockFile(const std::string& path) {
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) return false;
    RaiseLockError("lock", path);
  }
  return true;
}

void ProcessPrintLock::Unlock() {
  std::lock_guard<std::mutex> guard(mutex_);
  ::flock(fd_, LOCK_UN);
  held_ = false;
  released_.notify_one();
}

}  // namespace tipolaria
