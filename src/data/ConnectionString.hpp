// Connection strings, as hosts already hold them. Recognised forms:
//   sqlite:PATH                                  the embedded database file
//   Provider=SQLite;Data Source=PATH             the same, in key=value form
//   Driver=...;... or DSN=...;...                any ODBC connection string
//   Provider=SQLOLEDB|SQLNCLI...|MSOLEDBSQL;...  SQL Server, translated to the
//                                                SQL Server ODBC driver installed
// Keys are matched without regard to case; values may be quoted with "..."
// or '...' (the quote doubled inside) or {...} ("}}" inside). Anything else is
// a connection error that says what was wrong, never showing a password.
#ifndef TIPOLARIA_DATA_CONNECTIONSTRING_HPP_
#define TIPOLARIA_DATA_CONNECTIONSTRING_HPP_

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tipolaria {

struct ConnectionTarget {
  enum class Kind { kSqlite, kOdbc };
  Kind kind = Kind::kSqlite;
  std::string sqlite_path;  // kSqlite
  std::string odbc;         // kOdbc: the ODBC connection string
  std::string driver;       // kOdbc: the ODBC driver named, empty for a DSN
};

// The ODBC drivers registered on this machine, asked only when a SQL Server
// provider string has to be translated.
using DriverList = std::function<std::vector<std::string>()>;

// The key=value pairs of a connection string, keys lower-cased, in order.
std::vector<std::pair<std::string, std::string>> SplitConnectionString(const std::string& text);

ConnectionTarget ParseConnectionString(const std::string& text, const DriverList& drivers);
// With the drivers registered in the ODBC driver manager.
ConnectionTarget ParseConnectionString(const std::string& text);

// The ODBC driver that serves SQL Server among `installed`: the vendor's
// newest ("ODBC Driver 18 for SQL Server") before FreeTDS; empty for none.
std::string ChooseSqlServerDriver(const std::vector<std::string>& installed);

// The text with the value of every Password= and PWD= replaced by "****", for
// every message, error and log that shows a connection string.
std::string MaskPasswords(const std::string& text);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_CONNECTIONSTRING_HPP_
