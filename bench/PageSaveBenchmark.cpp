// One page save into IMP (SaveImpPage, as the cover loader saves page 1)
// with 10 to 150 fields, through the embedded backend and through ODBC (the
// SQLite ODBC driver and the driver manager). The counter "round_trips" is
// the requests sent to the database per save: what a page costs on a server
// across a network, where each request waits for its answer.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchDatabase.hpp"
#include "data/CDataBase.hpp"
#include "imp/ImpTable.hpp"

namespace {

// Arguments: the number of fields, then 0 for the embedded backend or 1 for ODBC.
void BM_SavePage(benchmark::State& state) {
  const tipolaria::bench::BenchDatabase scratch({});
  const bool odbc = state.range(1) == 1;
  tipolaria::CDataBase db;
  db.OpenDB(odbc ? scratch.odbc_connection() : scratch.connection());
  tipolaria::CColImp page;
  for (int i = 0; i < state.range(0); ++i) {
    page.Add("campo", "VALOR DEL CAMPO " + std::to_string(i), std::to_string(i + 5));
  }
  const std::uint64_t before = db.RoundTrips();
  for (auto _ : state) tipolaria::SaveImpPage(db, page, "1");
  state.SetLabel(odbc ? "odbc" : "embedded");
  state.counters["round_trips"] = benchmark::Counter(static_cast<double>(db.RoundTrips() - before),
                                                     benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SavePage)
    ->ArgsProduct({{10, 50, 150}, {0, 1}})
    ->ArgNames({"fields", "odbc"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
