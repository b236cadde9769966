#include "data/PrintLockFile.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "data/DatabaseErrors.hpp"

namespace tipolaria {

PrintLockFile::PrintLockFile(const std::string& database_path)
    : path_(database_path + ".print-lock") {}

PrintLockFile::~PrintLockFile() {
  Unlock();
  if (fd_ >= 0) ::close(fd_);
}

void PrintLockFile::Open() {
  // Mode 0666 under the umask, like any other new file: the sessions of
  // other users on a shared database open it too. Links are not followed:
  // a link planted at the lock's name must not make the tool create, or
  // lock, a file of the link's choosing.
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd_ >= 0) return;
  int error = errno;
  bool missing = false;
  if (error == EACCES || error == EROFS) {
    // A user who may not write the file still locks it through a read-only
    // descriptor.
    fd_ = ::open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ >= 0) return;
    // With no lock file yet, the folder that refused to hold one is the
    // cause, not the file that is missing in consequence.
    missing = errno == ENOENT;
    if (!missing) error = errno;
  }
  const std::string reason =
      error == ELOOP ? "it is a symbolic link, which is never followed (remove the link)"
                     : std::strerror(error);
  RaiseDatabaseError("SQLite", std::string(missing ? "Cannot create" : "Cannot open") +
                                   " the print lock file \"" + path_ + "\": " + reason);
}

bool PrintLockFile::TryLock() { return LockWithin(std::chrono::milliseconds(0)); }

bool PrintLockFile::LockWithin(std::chrono::milliseconds wait) {
  if (held_) return true;
  if (fd_ < 0) Open();
  if (!lock_) lock_ = ProcessPrintLock::Of(fd_, path_);
  held_ = lock_->LockWithin(wait, path_);
  return held_;
}

void PrintLockFile::Unlock() {
  if (!held_) return;
  held_ = false;
  lock_->Unlock();
}

}  // namespace tipolaria
