#include "ConnectionOptions.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ExitCode.hpp"

namespace tipolaria::cli {
namespace {

// A connection string is a line; anything much larger is not one.
constexpr std::size_t kMaxConnectionFile = 64 * 1024;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

[[noreturn]] void Refuse(const std::string& path, const std::string& why) {
  Fail(kExitUsage, "the connection file \"" + path + "\" " + why);
}

std::string ReadConnectionFile(const std::string& path) {
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) Refuse(path, std::string("cannot be read: ") + std::strerror(errno));
  // The permissions of what was opened, not of whatever the name leads to
  // a moment later. A file that others may read shows them the password; one
  // they may write lets them point the prints at a database of their own.
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) {
    Refuse(path, std::string("cannot be read: ") + std::strerror(errno));
  }
  if ((status.st_mode & (S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH)) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(status.st_mode & 07777));
    Refuse(path, std::string("may be read or written by other users (mode ") + mode +
                     "): it holds the password of the database; make it its owner's alone "
                     "(chmod 600)");
  }
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Refuse(path, std::string("cannot be read: ") + std::strerror(errno));
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
    if (text.size() > kMaxConnectionFile) Refuse(path, "is too large for a connection string");
  }
  // The line break an editor or `echo` leaves at the end, and blanks around
  // the string, are no part of it.
  const char* blanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) Refuse(path, "is empty: it should hold the connection string");
  text = text.substr(first, text.find_last_not_of(blanks) - first + 1);
  if (text.find_first_of("\r\n") != std::string::npos) {
    Refuse(path, "holds more than one line: it should hold the connection string alone");
  }
  return text;
}

}  // namespace

void AddConnectionOptions(CLI::App& command, ConnectionOptions& options) {
  CLI::Option* connection = command.add_option(
      "--connection,-c", options.connection,
      std::string("Connection string (sqlite:PATH, ...); without it, --connection-file or the "
                  "environment variable ") +
          kConnectionVariable);
  command
      .add_option("--connection-file", options.file,
                  "A file holding the connection string, readable by its owner only (chmod 600)")
      ->excludes(connection);
}

std::string ResolveConnection(const ConnectionOptions& options) {
  if (options.connection) return *options.connection;
  if (options.file) return ReadConnectionFile(*options.file);
  const char* variable = std::getenv(kConnectionVariable);
  if (variable != nullptr && *variable != '\0') return variable;
  Fail(kExitUsage, std::string("no database given: give --connection CONN or --connection-file "
                               "FILE, or set the environment variable ") +
                       kConnectionVariable);
}

}  // namespace tipolaria::cli
