// The time to generate the demo declaration (a three-item import) into IMP
// through CPrint::GenerateIMP, on a fresh database reached through the
// embedded backend (argument 0) or through ODBC (1), with the statements and
// the round trips to the database of one generation.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchDatabase.hpp"
#include "api/ComponentState.hpp"
#include "tipolaria/cprint.hpp"

namespace {

void BM_GenerateDemoDeclaration(benchmark::State& state) {
  tipolaria::bench::BenchDatabase demo({"decl_catalogo.sql", "decl_demo.sql"});
  tipolaria::CPrint print;
  const bool odbc = state.range(0) == 1;
  print.Init(odbc ? demo.odbc_connection() : demo.connection());
  print.SetOperDate("05/12/2026");  // the day the fixture's catalogues are valid
  const auto& db = *tipolaria::detail::State().gDataBase;
  const std::uint64_t before = db.StatementCount();
  const std::uint64_t round_trips_before = db.RoundTrips();
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
  state.counters["round_trips"] =
      benchmark::Counter(static_cast<double>(db.RoundTrips() - round_trips_before),
                         benchmark::Counter::kAvgIterations);
  state.SetLabel(odbc ? "odbc" : "embedded");
  print.Finalize();
}
BENCHMARK(BM_GenerateDemoDeclaration)
    ->ArgName("odbc")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
