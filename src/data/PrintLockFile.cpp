#include "data/PrintLockFile.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "data/DatabaseErrors.hpp"

namespace tipolaria {

PrintLockFile::PrintLockFile(const std::string& database_path)
    : path_(database_path + ".print-lock") {}

PrintLockFile::~PrintLockFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool PrintLockFile::TryLock() {
  if (fd_ < 0) {
    // Mode 0666 under the umask, like any other new file: the sessions of
    // other users on a shared database open it too. A user who may not
    // write the file still locks it through a read-only descriptor.
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0 && (errno == EACCES || errno == EROFS)) {
      fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd_ < 0) {
      RaiseDatabaseError(
          "SQLite", "Cannot open the print lock file \"" + path_ + "\": " + std::strerror(errno));
    }
  }
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) return false;
    RaiseDatabaseError(
        "SQLite", "Cannot lock the print lock file \"" + path_ + "\": " + std::strerror(errno));
  }
  return true;
}

void PrintLockFile::Unlock() {
  if (fd_ >= 0) ::flock(fd_, LOCK_UN);
}

}  // namespace tipolaria
