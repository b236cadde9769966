#include "reports/TempOutputFile.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "reports/HiddenTempFiles.hpp"
#include "reports/PendingFiles.hpp"
#include "reports/ReportErrors.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

TempOutputFile::FaultHook& Hook() {
  static TempOutputFile::FaultHook hook;
  return hook;
}

// The error number the test hook injects into `step`, or 0.
int InjectedError(const char* step) { return Hook() ? Hook()(step) : 0; }

}  // namespace

void TempOutputFile::SetFaultHookForTesting(FaultHook hook) { Hook() = std::move(hook); }

TempOutputFile::TempOutputFile(std::string target, std::string what)
    : target_(std::move(target)), what_(std::move(what)) {
  if (target_.empty()) RaisePathError("no file name");
  const std::filesystem::path path(target_);
  folder_ = path.has_parent_path() ? path.parent_path().string() : ".";
  if (const int error = InjectedError("create")) RaisePathError(std::strerror(error));
  // What killed writers left here goes before this print adds its own.
  HiddenTempFiles::RemoveThoseOfDeadWriters(folder_);
  // Mode 0666, so that the umask gives the finished file the permissions of
  // any other new file.
  int error = InjectedError("unnamed");
  const int fd = error != 0 ? -1 : ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (error == 0) error = errno;
    // A file system without unnamed files: a hidden named one.
    if (error == EOPNOTSUPP || error == EISDIR || error == EINVAL) {
      OpenNamed(folder_, path.filename().string());
      return;
    }
    RaisePathError(std::strerror(error));
  }
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    error = errno;
    ::close(fd);
    RaisePathError(std::strerror(error));
  }
}

void TempOutputFile::OpenNamed(const std::string& folder, const std::string& name) {
  int error = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate = HiddenTempFiles::NameFor(folder, name);
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      error = errno;
      if (error != EEXIST) break;
      continue;
    }
    temp_path_ = candidate;
    pending_slot_ = PendingFiles::Add(candidate);
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
      error = errno;
      ::close(fd);
      Discard();
      break;
    }
    return;
  }
  RaisePathError(std::strerror(error));
}

TempOutputFile::~TempOutputFile() { Discard(); }

bool TempOutputFile::Write(const void* data, std::size_t size) {
  if (file_ == nullptr || finished_) {
    write_error_ = "the file is closed";
    return false;
  }
  if (const int error = InjectedError("write")) {
    if (write_error_.empty()) write_error_ = std::strerror(error);
    return false;
  }
  if (std::fwrite(data, 1, size, file_) != size) {
    if (write_error_.empty()) write_error_ = std::strerror(errno);
    return false;
  }
  return true;
}

void TempOutputFile::Finish() {
  if (finished_) return;
  if (file_ == nullptr) RaisePathError("the file is already closed");
  if (!write_error_.empty()) RaisePathError(write_error_);
  if (const int error = InjectedError("finish")) RaisePathError(std::strerror(error));
  if (std::fflush(file_) != 0) RaisePathError(std::strerror(errno));
  if (!temp_path_.empty()) {
    // A named file is complete once closed; an unnamed one stays open until
    // it has a name, or it would be gone.
    const bool closed = std::fclose(file_) == 0;
    const int error = errno;
    file_ = nullptr;
    if (!closed) RaisePathError(std::strerror(error));
  }
  finished_ = true;
}

void TempOutputFile::Commit() {
  Finish();
  if (const int error = InjectedError("commit")) RaisePathError(std::strerror(error));
  if (temp_path_.empty()) {
    const std::string self = "/proc/self/fd/" + std::to_string(::fileno(file_));
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      std::fclose(file_);
      file_ = nullptr;
      return;
    }
    if (errno != EEXIST) RaisePathError(std::strerror(errno));
    // The target exists: link under a hidden name, then rename over it, so
    // that the old file is replaced in one step.
    const std::string name = std::filesystem::path(target_).filename().string();
    for (int attempt = 0; temp_path_.empty(); ++attempt) {
      const std::string candidate = HiddenTempFiles::NameFor(folder_, name);
      pending_slot_ = PendingFiles::Add(candidate);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        temp_path_ = candidate;
        break;
      }
      const int error = errno;
      PendingFiles::Remove(pending_slot_);
      if (error != EEXIST || attempt == 100) RaisePathError(std::strerror(error));
    }
    std::fclose(file_);
    file_ = nullptr;
  }
  if (const int error = InjectedError("replace")) RaisePathError(std::strerror(error));
  if (std::rename(temp_path_.c_str(), target_.c_str()) != 0) RaisePathError(std::strerror(errno));
  temp_path_.clear();
  PendingFiles::Remove(pending_slot_);
}

void TempOutputFile::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_path_.empty()) {
    ::unlink(temp_path_.c_str());
    temp_path_.clear();
  }
  PendingFiles::Remove(pending_slot_);
}

void TempOutputFile::RaisePathError(const std::string& reason) const {
  throw ComError(kErrReportPath, kReportSource,
                 "Cannot write the " + what_ + " '" + target_ + "': " + reason);
}

cairo_status_t TempOutputFile::CairoWrite(void* closure, const unsigned char* data,
                                          unsigned int length) {
  return static_cast<TempOutputFile*>(closure)->Write(data, length) ? CAIRO_STATUS_SUCCESS
                                                                    : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace tipolaria
