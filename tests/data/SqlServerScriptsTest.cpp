// The SQL Server scripts of db/sqlserver keep step with the embedded schema:
// every table and column the generation reads exists there, with the same
// kind of type.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#ifndef TIPOLARIA_DB_DIR
#error "TIPOLARIA_DB_DIR must name the folder of the database scripts"
#endif

namespace tipolaria {
namespace {

std::string ReadScript(const std::string& name) {
  std::ifstream in(std::string(TIPOLARIA_DB_DIR) + "/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Table -> column -> type, as "CREATE TABLE [dbo.]T (" blocks declare them.
std::map<std::string, std::map<std::string, std::string>> Columns(const std::string& script) {
  std::map<std::string, std::map<std::string, std::string>> tables;
  const std::regex table(R"(CREATE TABLE (?:dbo\.)?(\w+) \(([^;]*)\);)");
  const std::regex column(R"(^\s+(\w+)\s+(\w+(?:\(\d+(?:,\d+)?\))?))");
  for (std::sregex_iterator t(script.begin(), script.end(), table), end; t != end; ++t) {
    std::istringstream body((*t)[2].str());
    for (std::string line; std::getline(body, line);) {
      std::smatch c;
      if (std::regex_search(line, c, column)) tables[(*t)[1]][c[1]] = c[2];
    }
  }
  return tables;
}

TEST(SqlServerScriptsTest, TablesAndProceduresMatchWhatTheGenerationReads) {
  const auto embedded = Columns(ReadScript("schema.sql"));
  const auto server = Columns(ReadScript("sqlserver/01-tables.sql"));
  ASSERT_GT(embedded.size(), 30u);
  const std::map<std::string, std::string> kind = {
      {"TEXT", "varchar"}, {"INTEGER", "int"}, {"DATETIME", "datetime"}};
  for (const auto& [table, columns] : embedded) {
    ASSERT_TRUE(server.contains(table)) << table;
    EXPECT_EQ(server.at(table).size(), columns.size()) << table;
    for (const auto& [name, type] : columns) {
      ASSERT_TRUE(server.at(table).contains(name)) << table << "." << name;
      const std::string& server_type = server.at(table).at(name);
      if (type.starts_with("DECIMAL")) {
        EXPECT_EQ(server_type, type) << table << "." << name;  // the same precision and scale
      } else {
        EXPECT_TRUE(server_type.starts_with(kind.at(type))) << table << "." << name;
      }
    }
  }
  const std::string procedures = ReadScript("sqlserver/02-procedures.sql");
  for (const char* p : {"dbo.sp_NatLNat\n  @CTPT_1 varchar(10),\n  @CPTRNAT_2 varchar(10)",
                        "dbo.sp_NatPtr\n  @CTPT_1 varchar(10),\n  @CPTRNAT_2 varchar(10)",
                        "dbo.sp_PtrNat\n  @CTPT_1 varchar(10),\n  @APTR_2 int",
                        "dbo.sp_PtrCNat\n  @CTPT_1 varchar(10),\n  @APTR_2 int"}) {
    EXPECT_NE(procedures.find(std::string("CREATE PROCEDURE ") + p), std::string::npos) << p;
  }
}

}  // namespace
}  // namespace tipolaria
