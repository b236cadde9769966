// The database functions for hosts and tools (tipolaria/database.hpp).
#include "tipolaria/database.hpp"

#include "api/SessionState.hpp"
#include "data/ConnectionString.hpp"
#include "data/SchemaCheck.hpp"
#include "data/SqliteBackend.hpp"
#include "data/ValueCheck.hpp"
#include "tipolaria/session.hpp"

namespace tipolaria {

void CreateDatabase(const std::string& path, const std::string& sql) {
  CreateDatabaseFile(path, sql);
}

DatabaseCheck CheckDatabase(const std::string& ConectionString, CheckDepth depth) {
  Session session(ConectionString);
  return CheckDatabase(session, depth);
}

DatabaseCheck CheckDatabase(Session& session, CheckDepth depth) {
  detail::SessionState& state = detail::StateOf(session);
  if (!detail::IsInitialized(state)) detail::RaiseNotInitialized("CheckDatabase");
  CDataBase& db = *state.gDataBase;
  DatabaseCheck check;
  check.missing_tables = MissingSchemaTables(db);
  check.schema_tables = SchemaTables().size();
  if (depth == CheckDepth::kValues && check.missing_tables.empty()) {
    check.mistyped_values = MistypedValues(db);
  }
  return check;
}

std::string MaskConnectionString(const std::string& ConectionString) {
  return MaskPasswords(ConectionString);
}

}  // namespace tipolaria
