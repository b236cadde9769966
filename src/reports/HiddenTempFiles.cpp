#include "reports/HiddenTempFiles.hpp"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string_view>

namespace tipolaria::HiddenTempFiles {
namespace {

constexpr std::string_view kMark = ".tmp-";

// Eight hexadecimal digits of the machine's name (FNV-1a).
std::string HostTag() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) name[0] = '\0';
  std::uint32_t hash = 2166136261u;
  for (const char* c = name; *c != '\0'; ++c) {
    hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
  }
  char tag[9];
  for (int i = 7; i >= 0; --i, hash >>= 4) tag[i] = "0123456789abcdef"[hash & 0xF];
  tag[8] = '\0';
  return tag;
}

// The start of process `pid` ("self" for this one) in clock ticks after
// boot, field 22 of /proc/PID/stat; nothing when it cannot be read.
std::optional<std::uint64_t> StartTime(const std::string& pid) {
  std::ifstream in("/proc/" + pid + "/stat");
  const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The command name, field 2, is in parentheses and may hold blanks and
  // parentheses of its own: the fields are counted from its last ')'.
  const std::size_t name_end = stat.rfind(')');
  if (name_end == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(name_end + 1));
  std::string field;
  for (int number = 3; number <= 22; ++number) fields >> field;
  std::uint64_t ticks = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), ticks);
  if (!fields || ec != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return ticks;
}

bool AllDigits(std::string_view text) {
  if (text.empty() || text.size() > 20) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Whether the writer `pid` started at `start` is gone: no process has that
// id, or the one that has it started at another time. When this cannot be
// told (a writer that could not read its own start, processes hidden from
// this user), the writer counts as alive: a file left is better than a
// file removed under a print.
bool WriterIsGone(std::string_view pid_text, std::string_view start) {
  long pid = 0;
  const auto [end, ec] = std::from_chars(pid_text.data(), pid_text.data() + pid_text.size(), pid);
  if (ec != std::errc() || pid <= 0 || start == "0") return false;
  if (::kill(static_cast<pid_t>(pid), 0) != 0) return errno == ESRCH;
  const std::optional<std::uint64_t> now = StartTime(std::string(pid_text));
  return now && std::to_string(*now) != start;
}

}  // namespace

std::string NameFor(const std::string& folder, const std::string& name) {
  static std::atomic<unsigned> counter{0};
  // Read afresh for each file: a process forked from a writer is a writer
  // of its own.
  const std::string writer = HostTag() + "-" + std::to_string(::getpid()) + "-" +
                             std::to_string(StartTime("self").value_or(0));
  return (std::filesystem::path(folder) /
          ("." + name + std::string(kMark) + writer + "-" + std::to_string(counter++)))
      .string();
}

void RemoveThoseOfDeadWriters(const std::string& folder) {
  const std::string host = HostTag();
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string file = it->path().filename().string();
    const std::size_t mark = file.rfind(kMark);
    if (file.front() != '.' || mark == std::string::npos || mark == 0) continue;
    // HOST-PID-START-N
    std::string_view parts[4];
    std::string_view rest = std::string_view(file).substr(mark + kMark.size());
    std::size_t count = 0;
    for (; count < 4 && !rest.empty(); ++count) {
      const std::size_t dash = rest.find('-');
      parts[count] = rest.substr(0, dash);
      rest = dash == std::string_view::npos ? std::string_view() : rest.substr(dash + 1);
    }
    if (count != 4 || !rest.empty() || parts[0] != host || !AllDigits(parts[1]) ||
        !AllDigits(parts[2]) || !AllDigits(parts[3])) {
      continue;
    }
    if (WriterIsGone(parts[1], parts[2])) {
      std::error_code ignored;
      std::filesystem::remove(it->path(), ignored);
    }
  }
}

}  // namespace tipolaria::HiddenTempFiles
