#include "support/TestDatabase.hpp"

#include <stdlib.h>

#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "data/SqliteBackend.hpp"
#include "runtime/Convert.hpp"

#ifndef TIPOLARIA_TEST_DATA_DIR
#error "TIPOLARIA_TEST_DATA_DIR must name the folder of the test data scripts"
#endif

namespace tipolaria::testing {

std::string MakeTempFolder(const std::string& parent) {
  const std::filesystem::path base =
      parent.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(parent);
  std::string pattern = (base / "tipolaria-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

TestDatabase::TestDatabase(const std::string& parent)
    : folder_(MakeTempFolder(parent)), path_(folder_ + "/customs.db") {
  CreateDatabaseFile(path_);
}

TestDatabase::~TestDatabase() {
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

bool TestDatabase::ThroughOdbc() {
  const char* backend = std::getenv("TIPOLARIA_TEST_BACKEND");
  return backend != nullptr && std::string(backend) == "odbc";
}

std::string TestDatabase::ErrorSource() { return ThroughOdbc() ? "SQLite3" : "SQLite"; }

std::string TestDatabase::odbc_connection() const {
  // The driver name as `odbcinst -i -d -f /usr/share/sqliteodbc/unixodbc.ini`
  // registers it (scripts/install-deps).
  return "Driver={SQLite3};Database=" + path_;
}

std::string TestDatabase::connection() const {
  return ThroughOdbc() ? odbc_connection() : "sqlite:" + path_;
}

void TestDatabase::Run(const std::string& sql) const { SqliteBackend(path_).ExecuteScript(sql); }

std::string ReadTestScript(const std::string& name) {
  std::ifstream in(std::string(TIPOLARIA_TEST_DATA_DIR) + "/" + name);
  if (!in) throw std::runtime_error("no test data script " + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void TestDatabase::RunScript(const std::string& name) const { Run(ReadTestScript(name)); }

std::vector<std::string> TestDatabase::Column(const std::string& sql) const {
  SqliteBackend db(path_);
  Recordset rs = db.Query(sql);
  std::vector<std::string> values;
  for (; !rs.AtEnd(); rs.MoveNext()) {
    const Value& v = rs.Field(std::size_t{0});
    values.push_back(v.IsNull() ? "NULL" : ValueToText(v));
  }
  return values;
}

std::vector<std::string> TestDatabase::ImpRows(const std::string& where,
                                               const std::string& order) const {
  return Column(
      "SELECT NRO_HOJA || ' ' || TIPO || ' ' || NRO_CAMPO || '=' || VALOR FROM IMP WHERE " + where +
      " ORDER BY " + order);
}

std::unique_ptr<CDataBase> TestDatabase::Open() const {
  auto db = std::make_unique<CDataBase>();
  db->SetOperDate("05/12/2026");
  db->OpenDB(connection());
  return db;
}

}  // namespace tipolaria::testing
