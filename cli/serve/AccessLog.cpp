#include "serve/AccessLog.hpp"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>

#include "EscapedBytes.hpp"

namespace tipolaria::serve {
namespace {

struct RequestNote {
  std::optional<std::chrono::steady_clock::time_point> start;
  std::string iddtext;
};
thread_local RequestNote current;

}  // namespace

std::string UtcText(std::chrono::system_clock::time_point now) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm utc{};
  ::gmtime_r(&seconds, &utc);
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                static_cast<int>(millis));
  return text;
}

std::string LogSafe(const std::string& text) {
  return cli::EscapeBytes(text, "\\x", [](unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == '"' || byte == '\\';
  });
}

void AccessLog::Begin() { current = RequestNote{std::chrono::steady_clock::now(), {}}; }

void AccessLog::NoteIddtext(const std::string& iddtext) { current.iddtext = iddtext; }

void AccessLog::Write(const std::string& remote, const std::string& method, const std::string& path,
                      int status) {
  std::string line = UtcText(std::chrono::system_clock::now()) + " " + LogSafe(remote) + " \"" +
                     LogSafe(method) + " " + LogSafe(path) + "\" " + std::to_string(status);
  if (current.start) {
    const std::chrono::duration<double, std::milli> took =
        std::chrono::steady_clock::now() - *current.start;
    char ms[32];
    std::snprintf(ms, sizeof ms, " %.1f ms", took.count());
    line += ms;
  } else {
    line += " - ms";  // refused by the HTTP library before any handler ran
  }
  if (!current.iddtext.empty()) line += " iddtext=" + LogSafe(current.iddtext);
  current = RequestNote{};
  std::lock_guard lock(mutex_);
  out_ << line << std::endl;
}

}  // namespace tipolaria::serve
