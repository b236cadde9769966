// The print lock of one lock file as this process holds it. Every session of
// the process that locks the file (by whatever name it reaches it) shares
// one ProcessPrintLock, found by the file's identity (device and inode):
// an in-process guard says which session holds the lock, and the file lock,
// taken on one descriptor of the process, keeps the other processes out.
//
// So sessions of one process exclude each other whatever the file lock's
// kind: a lock that belongs to the process rather than to a descriptor
// (POSIX record locks, flock emulated by them on a network file system)
// would let a second session of the same process in. The registry of the
// locks is global on purpose, guarded by a mutex; so is each lock.
#ifndef TIPOLARIA_DATA_PROCESSPRINTLOCK_HPP_
#define TIPOLARIA_DATA_PROCESSPRINTLOCK_HPP_

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

namespace tipolaria {

class ProcessPrintLock {
 public:
  // The lock of the file open at `fd`, shared with every other session of
  // the process that has the same file open. Raises a database error
  // naming `path` when the file cannot be examined.
  static std::shared_ptr<ProcessPrintLock> Of(int fd, const std::string& path);

  ~ProcessPrintLock();
  ProcessPrintLock(const ProcessPrintLock&) = delete;
  ProcessPrintLock& operator=(const ProcessPrintLock&) = delete;

  // Takes the lock for the caller once no session of this process holds it
  // and no other process does, waiting at most `wait`; false when it is
  // still taken then. A session of this process that lets go of the lock
  // hands it on at once; another process's release is looked for now and
  // then. Raises a database error naming `path` when the file lock fails
  // otherwise than by being taken.
  bool LockWithin(std::chrono::milliseconds wait, const std::string& path);
  // Releases the lock; the caller must hold it.
  void Unlock();

 private:
  explicit ProcessPrintLock(int fd) : fd_(fd) {}
  // The file lock, without waiting; false when another process holds it.
  bool LockFile(const std::string& path);

  int fd_;  // the process's own descriptor of the file, for the file lock
  std::mutex mutex_;
  std::condition_variable released_;
  bool held_ = false;  // by a session of this process
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_PROCESSPRINTLOCK_HPP_
