#include "data/RequestLog.hpp"

#include <cerrno>
#include <cstring>

#include "runtime/Trap.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {

RequestLog::RequestLog(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) {
    throw ComError(kErrInvalidProcedureCall, "RequestLog",
                   "Invalid statement log path \"" + path + "\": it names no file");
  }
  file_.reset(std::fopen(path.c_str(), "w"));
  if (!file_) {
    throw ComError(kErrInvalidProcedureCall, "RequestLog",
                   "Cannot write the statement log \"" + path + "\": " + std::strerror(errno));
  }
}

void RequestLog::Request(std::string_view tsql) { Line(tsql); }

void RequestLog::Array(std::string_view sql, std::size_t rows) {
  // The drivers send an array's statement with its markers named @P1,
  // @P2, ...; a "?" inside a quoted literal is no marker.
  std::string text;
  int marker = 0;
  bool quoted = false;
  for (char c : sql) {
    if (c == '\'') quoted = !quoted;
    if (c == '?' && !quoted) {
      text += "@P" + std::to_string(++marker);
    } else {
      text.push_back(c);
    }
  }
  Line(text + " -- " + std::to_string(rows) + (rows == 1 ? " row" : " rows"));
}

void RequestLog::Note(std::string_view text) { Line("-- " + std::string(text)); }

void RequestLog::Line(std::string_view text) {
  std::string line;
  line.reserve(text.size() + 1);
  for (char c : text) {
    if (c == '\r') {
      line += "\\r";
    } else if (c == '\n') {
      line += "\\n";
    } else {
      line.push_back(c);
    }
  }
  line.push_back('\n');
  // Each line reaches the file at once: a session that ends abruptly still
  // shows what it sent last.
  std::fwrite(line.data(), 1, line.size(), file_.get());
  std::fflush(file_.get());
}

}  // namespace tipolaria
