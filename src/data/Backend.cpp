#include "data/Backend.hpp"

#include "data/ConnectionString.hpp"
#include "data/OdbcBackend.hpp"
#include "data/SqliteBackend.hpp"

namespace tipolaria {

std::unique_ptr<Backend> OpenBackend(const std::string& connection_string) {
  const ConnectionTarget target = ParseConnectionString(connection_string);
  if (target.kind == ConnectionTarget::Kind::kSqlite) {
    return std::make_unique<SqliteBackend>(target.sqlite_path);
  }
  return std::make_unique<OdbcBackend>(target.odbc, target.driver);
}

}  // namespace tipolaria
