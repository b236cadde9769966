#include "data/SchemaCheck.hpp"

#include <regex>

#include "data/SqliteBackend.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {

std::vector<std::string> SchemaTables() {
  static const std::regex kCreateTable(R"(CREATE\s+TABLE\s+(\w+))", std::regex::icase);
  const std::string schema = EmbeddedSchema();
  std::vector<std::string> tables;
  for (std::sregex_iterator it(schema.begin(), schema.end(), kCreateTable), end; it != end; ++it) {
    tables.push_back((*it)[1]);
  }
  return tables;
}

std::vector<std::string> MissingSchemaTables(CDataBase& db) {
  std::vector<std::string> missing;
  for (const std::string& table : SchemaTables()) {
    Recordset rows;
    try {
      db.GetRs("SELECT * FROM " + table + " WHERE 1 = 0", rows);
    } catch (const ComError&) {
      missing.push_back(table);
    }
  }
  return missing;
}

}  // namespace tipolaria
