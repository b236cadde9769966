#include "data/Backend.hpp"

#include "data/ConnectionString.hpp"
#include "data/DatabaseErrors.hpp"
#include "data/SqliteBackend.hpp"

namespace tipolaria {

std::unique_ptr<Backend> OpenBackend(const std::string& connection_string) {
  const ConnectionTarget target = ParseConnectionString(connection_string);
  if (target.kind == ConnectionTarget::Kind::kSqlite) {
    return std::make_unique<SqliteBackend>(target.sqlite_path);
  }
  RaiseDatabaseError("ODBC",
                     "ODBC connections (SQL Server and ODBC data sources) are not available in "
                     "this build; use an embedded database: sqlite:PATH");
}

}  // namespace tipolaria
