// The print lock of an embedded database: an advisory lock (flock) on a file
// beside the database, "<database>.print-lock", which the kernel drops when
// the process that holds it dies, however it dies. Within one process the
// sessions of the file take turns through its ProcessPrintLock. The file is
// created on first use and never removed: removing it while another session
// waits on it would let two sessions hold the lock. A symbolic link at its
// name is refused, never followed. Owns its descriptor of the file; a lock
// still held is released with it.
#ifndef TIPOLARIA_DATA_PRINTLOCKFILE_HPP_
#define TIPOLARIA_DATA_PRINTLOCKFILE_HPP_

#include <chrono>
#include <memory>
#include <string>

#include "data/ProcessPrintLock.hpp"

namespace tipolaria {

class PrintLockFile {
 public:
  explicit PrintLockFile(const std::string& database_path);
  ~PrintLockFile();
  PrintLockFile(const PrintLockFile&) = delete;
  PrintLockFile& operator=(const PrintLockFile&) = delete;

  // Takes the lock if it is free, without waiting. Raises a database error
  // naming the file when it cannot be opened.
  bool TryLock();
  // Takes the lock, waiting at most `wait` (ProcessPrintLock::LockWithin);
  // false when it is still taken then.
  bool LockWithin(std::chrono::milliseconds wait);
  void Unlock();

  const std::string& path() const { return path_; }

 private:
  // Opens the lock file, creating it when it does not exist yet; raises a
  // database error naming it and the cause.
  void Open();

  std::string path_;
  int fd_ = -1;
  std::shared_ptr<ProcessPrintLock> lock_;  // found at the first TryLock
  bool held_ = false;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_PRINTLOCKFILE_HPP_
