// One line per request on the service's stderr: when, who, method, path,
// status, duration and the declaration it was about, e.g.
//
//   2026-12-05T13:42:17.123Z 10.0.0.7 "POST /v1/prints" 201 14.2 ms iddtext=26001IC04000123A
//
// The query string and the headers are never written (a token or a
// password has no place in a log), and control characters of the path or
// the iddtext are written as \xNN, so that a line is always one line.
// The request's start and its iddtext are noted on the thread that serves
// it, where the HTTP library calls the handler and then the log.
#ifndef TIPOLARIA_CLI_SERVE_ACCESSLOG_HPP_
#define TIPOLARIA_CLI_SERVE_ACCESSLOG_HPP_

#include <chrono>
#include <mutex>
#include <ostream>
#include <string>

namespace tipolaria::serve {

class AccessLog {
 public:
  explicit AccessLog(std::ostream& out) : out_(out) {}

  // A request starts on this thread.
  static void Begin();
  // The request on this thread is about the declaration `iddtext`.
  static void NoteIddtext(const std::string& iddtext);

  // Writes the line of the request on this thread, and ends it.
  void Write(const std::string& remote, const std::string& method, const std::string& path,
             int status);

 private:
  std::ostream& out_;
  std::mutex mutex_;
};

// `text` with control characters, quotes and backslashes written \xNN.
std::string LogSafe(const std::string& text);

// `when` as ISO 8601 UTC with milliseconds: 2026-12-05T13:42:17.123Z.
std::string UtcText(std::chrono::system_clock::time_point when);

}  // namespace tipolaria::serve

#endif  // TIPOLARIA_CLI_SERVE_ACCESSLOG_HPP_
