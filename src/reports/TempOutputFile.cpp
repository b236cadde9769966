#include "reports/TempOutputFile.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

#include "reports/ReportErrors.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {

TempOutputFile::TempOutputFile(std::string target) : target_(std::move(target)) {
  if (target_.empty()) RaisePathError("no file name");
  const std::filesystem::path path(target_);
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  // Created with O_EXCL under a random name and mode 0666 so that the umask
  // gives the finished file the permissions of any other new file.
  std::random_device seed;
  std::mt19937_64 random(seed());
  int error = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate =
        (folder / ("." + path.filename().string() + ".tmp" + std::to_string(random() % 1000000000)))
            .string();
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      file_ = ::fdopen(fd, "wb");
      if (file_ == nullptr) {
        error = errno;
        ::close(fd);
        ::unlink(candidate.c_str());
        break;
      }
      temp_path_ = candidate;
      return;
    }
    error = errno;
    if (error != EEXIST) break;
  }
  RaisePathError(std::strerror(error));
}

TempOutputFile::~TempOutputFile() { Discard(); }

bool TempOutputFile::Write(const void* data, std::size_t size) {
  if (file_ == nullptr) {
    write_error_ = "the file is closed";
    return false;
  }
  if (std::fwrite(data, 1, size, file_) != size) {
    if (write_error_.empty()) write_error_ = std::strerror(errno);
    return false;
  }
  return true;
}

void TempOutputFile::Commit() {
  if (file_ == nullptr) RaisePathError("the file is already closed");
  if (!write_error_.empty()) RaisePathError(write_error_);
  const bool flushed = std::fflush(file_) == 0;
  const int flush_error = errno;
  const bool closed = std::fclose(file_) == 0;
  const int close_error = errno;
  file_ = nullptr;
  if (!flushed || !closed) {
    RaisePathError(std::strerror(!flushed ? flush_error : close_error));
  }
  if (std::rename(temp_path_.c_str(), target_.c_str()) != 0) {
    RaisePathError(std::strerror(errno));
  }
  temp_path_.clear();
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
}

void TempOutputFile::RaisePathError(const std::string& reason) const {
  throw ComError(kErrReportPath, kReportSource,
                 "Cannot write the PDF file '" + target_ + "': " + reason);
}

cairo_status_t TempOutputFile::CairoWrite(void* closure, const unsigned char* data,
                                          unsigned int length) {
  return static_cast<TempOutputFile*>(closure)->Write(data, length) ? CAIRO_STATUS_SUCCESS
                                                                    : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace tipolaria
