// The time to generate the demo declaration (a three-item import) into IMP
// through CPrint::GenerateIMP, on a fresh embedded database, and the number
// of statements one generation sends to the database.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "api/ComponentState.hpp"
#include "data/SqliteBackend.hpp"
#include "tipolaria/cprint.hpp"

namespace {

std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(TIPOLARIA_FIXTURES) + "/" + name);
  if (!in) throw std::runtime_error("missing fixture " + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A database file holding the catalogues and the demo declaration, removed
// with the object.
class DemoDatabase {
 public:
  DemoDatabase() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tipolaria-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    path_ = folder_ + "/customs.db";
    tipolaria::CreateDatabaseFile(path_);
    tipolaria::SqliteBackend db(path_);
    db.ExecuteScript(ReadFixture("decl_catalogo.sql"));
    db.ExecuteScript(ReadFixture("decl_demo.sql"));
  }
  ~DemoDatabase() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  DemoDatabase(const DemoDatabase&) = delete;
  DemoDatabase& operator=(const DemoDatabase&) = delete;

  std::string connection() const { return "sqlite:" + path_; }

 private:
  std::string folder_;
  std::string path_;
};

void BM_GenerateDemoDeclaration(benchmark::State& state) {
  DemoDatabase demo;
  tipolaria::CPrint print;
  print.Init(demo.connection());
  print.SetOperDate("05/12/2026");  // the day the fixture's catalogues are valid
  const auto& db = *tipolaria::detail::State().gDataBase;
  const std::uint64_t before = db.StatementCount();
  for (auto _ : state) {
    // A host starts each declaration with a fresh driver.
    print.CleanIMP();
    const std::string result = print.GenerateIMP("O'BRIEN, JUAN PATRICIO", "26001IC04000123A", "",
                                                 "05/12/2026 10:42:17", 1, "2", "", "", "", "");
    if (result != R"({"Result": "OK"})") {
      state.SkipWithError(result.c_str());
      break;
    }
  }
  state.counters["statements"] = benchmark::Counter(
      static_cast<double>(db.StatementCount() - before), benchmark::Counter::kAvgIterations);
  print.Finalize();
}
BENCHMARK(BM_GenerateDemoDeclaration)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
