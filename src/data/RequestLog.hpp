// RequestLog: the statement log, where operators see what a session asks of
// the customs database. Every request goes on a line of its own, in the
// database's dialect (T-SQL) as SQL Server receives it: the loaders' SQL as
// they write it (before any translation for an SQLite file), a stored
// procedure call as the EXEC it stands for, a parameter array with its
// markers as the server names them (@P1, @P2, ...) and its size, the
// transaction commands. A line that starts with "--" is a note (the
// connection, with its passwords masked). Line breaks inside a statement
// are written \r and \n. The log never holds a password: connection strings
// are not requests, and the one note that names the database masks them.
// Owns its file; a write that fails (a full disk) is not the generation's
// failure and is dropped.
#ifndef TIPOLARIA_DATA_REQUESTLOG_HPP_
#define TIPOLARIA_DATA_REQUESTLOG_HPP_

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace tipolaria {

class RequestLog {
 public:
  // Opens `path`, emptied; a path that cannot be written raises (invalid
  // procedure call, naming the path and the system's reason).
  explicit RequestLog(const std::string& path);
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;

  // A request as sent.
  void Request(std::string_view tsql);
  // A statement with "?" markers sent as an array of `rows` rows.
  void Array(std::string_view sql, std::size_t rows);
  // A note: "-- " + text.
  void Note(std::string_view text);

 private:
  void Line(std::string_view text);

  struct CloseFile {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, CloseFile> file_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_REQUESTLOG_HPP_
