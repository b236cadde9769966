// Connection strings, as hosts already hold them. Recognised forms:
//   sqlite:PATH                                  the embedded database file
//   Provider=SQLite;Data Source=PATH             the same, in key=value form
//   Driver=...;... or DSN=...;...                any ODBC connection string
//   Provider=SQLOLEDB|SQLNCLI...|MSOLEDBSQL;...  SQL Server, translated to ODBC
// Keys are matched without regard to case; values may be quoted with "..." or
// {...}. Anything else is a connection error that says what was wrong.
#ifndef TIPOLARIA_DATA_CONNECTIONSTRING_HPP_
#define TIPOLARIA_DATA_CONNECTIONSTRING_HPP_

#include <string>
#include <utility>
#include <vector>

namespace tipolaria {

struct ConnectionTarget {
  enum class Kind { kSqlite, kOdbc };
  Kind kind = Kind::kSqlite;
  std::string sqlite_path;  // kSqlite
  std::string odbc;         // kOdbc: the ODBC connection string
};

// The key=value pairs of a connection string, keys lower-cased, in order.
std::vector<std::pair<std::string, std::string>> SplitConnectionString(const std::string& text);

ConnectionTarget ParseConnectionString(const std::string& text);

// The text with the value of every Password= and PWD= key replaced by
// "****", so that a connection string can stand in a message or a log.
std::string MaskPasswords(const std::string& text);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_CONNECTIONSTRING_HPP_
