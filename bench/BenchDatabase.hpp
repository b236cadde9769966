// A database file for a benchmark: the catalogues and declaration fixtures
// of the tests loaded into a new file from the schema, removed with the
// object.
#ifndef TIPOLARIA_BENCH_BENCHDATABASE_HPP_
#define TIPOLARIA_BENCH_BENCHDATABASE_HPP_

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/SqliteBackend.hpp"

namespace tipolaria::bench {

inline std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(TIPOLARIA_FIXTURES) + "/" + name);
  if (!in) throw std::runtime_error("missing fixture " + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class BenchDatabase {
 public:
  // `sql` runs before the fixtures `scripts`, in one file.
  explicit BenchDatabase(const std::vector<std::string>& scripts, const std::string& sql = "") {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tipolaria-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    path_ = folder_ + "/customs.db";
    CreateDatabaseFile(path_);
    SqliteBackend db(path_);
    if (!sql.empty()) db.ExecuteScript(sql);
    for (const std::string& script : scripts) db.ExecuteScript(ReadFixture(script));
  }
  ~BenchDatabase() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  BenchDatabase(const BenchDatabase&) = delete;
  BenchDatabase& operator=(const BenchDatabase&) = delete;

  const std::string& folder() const { return folder_; }
  std::string connection() const { return "sqlite:" + path_; }
  // The same file through the SQLite ODBC driver and the driver manager.
  std::string odbc_connection() const { return "Driver={SQLite3};Database=" + path_; }

 private:
  std::string folder_;
  std::string path_;
};

}  // namespace tipolaria::bench

#endif  // TIPOLARIA_BENCH_BENCHDATABASE_HPP_
