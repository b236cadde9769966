// A real embedded database for a test: a new file built from the project's
// schema in a temporary folder, removed with the object. The code under test
// reaches it through the connection string: the embedded backend, or, when
// TIPOLARIA_TEST_BACKEND is "odbc", the SQLite ODBC driver through the driver
// manager, so that the same tests run through both backends. Run and Column
// always read the file directly.
#ifndef TIPOLARIA_TESTS_SUPPORT_TESTDATABASE_HPP_
#define TIPOLARIA_TESTS_SUPPORT_TESTDATABASE_HPP_

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/CDataBase.hpp"
#include "runtime/Value.hpp"

namespace tipolaria::testing {

class TestDatabase {
 public:
  // The folder is made in `parent`, or in the system's temporary folder.
  explicit TestDatabase(const std::string& parent = {});
  ~TestDatabase();
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  const std::string& folder() const { return folder_; }
  const std::string& path() const { return path_; }
  std::string connection() const;
  // The file through the SQLite ODBC driver, whatever the environment says.
  std::string odbc_connection() const;
  // True when the code under test goes through ODBC.
  static bool ThroughOdbc();
  // The source of the database's own errors: the engine or the ODBC driver.
  static std::string ErrorSource();

  // Runs SQL as it stands (SQLite dialect), e.g. a data script.
  void Run(const std::string& sql) const;
  // Runs a data script of the project's tests (tests/fixtures/NAME).
  void RunScript(const std::string& name) const;
  // The values of one column of a query, as text ("NULL" for Null).
  std::vector<std::string> Column(const std::string& sql) const;
  // The rows of IMP that match `where`, as "page type field=value", in
  // `order`.
  std::vector<std::string> ImpRows(const std::string& where = "1 = 1",
                                   const std::string& order = "rowid") const;

  // A CDataBase connected to this database, operation date 05/12/2026.
  std::unique_ptr<CDataBase> Open() const;

 private:
  std::string folder_;
  std::string path_;
};

// A fresh temporary folder in `parent` (default: the system's temporary
// folder), removed by the caller.
std::string MakeTempFolder(const std::string& parent = {});

// The text of a data script of the project's tests (tests/fixtures/NAME).
std::string ReadTestScript(const std::string& name);

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_SUPPORT_TESTDATABASE_HPP_
