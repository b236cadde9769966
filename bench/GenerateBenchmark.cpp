// The time to generate the demo declaration (a three-item import) into IMP
// through CPrint::GenerateIMP, on a fresh embedded database, and the number
// of statements one generation sends to the database.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchDatabase.hpp"
#include "api/ComponentState.hpp"
#include "tipolaria/cprint.hpp"

namespace {

void BM_GenerateDemoDeclaration(benchmark::State& state) {
  tipolaria::bench::BenchDatabase demo({"decl_catalogo.sql", "decl_demo.sql"});
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
