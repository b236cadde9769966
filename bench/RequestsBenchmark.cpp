// What a generation costs across a network, through the real ODBC driver
// manager (the SQLite ODBC driver stands for the server): the requests and
// the transactions it sends, as the statement log shows them, the wall time
// of the generation, and the time a network with 0.5 ms round trips would
// add (requests x 0.5 ms). The demo declaration (3 items) and a declaration
// of 500 items (the demo's header, each item in two sub-items with its
// settlement, catalogue data and certificate), each beside its goals
// (goal_*). An item's rows are read once for the declaration; what is left
// per item is its page save (savepoint, deletes, inserts).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "BenchDatabase.hpp"
#include "api/ComponentState.hpp"
#include "tipolaria/cprint.hpp"

namespace {

constexpr double kRoundTripMs = 0.5;

// Argument: the items, 0 for the demo declaration.
void BM_GenerationThroughOdbc(benchmark::State& state) {
  const auto items = static_cast<int>(state.range(0));
  const bool demo = items == 0;
  tipolaria::bench::BenchDatabase database(
      demo ? std::vector<std::string>{"decl_catalogo.sql", "decl_demo.sql"}
           : std::vector<std::string>{"decl_catalogo.sql", "decl_demo.sql", "decl_items.sql"},
      demo ? "" : "CREATE TABLE cantidad_items AS SELECT " + std::to_string(items) + " AS n;");
  tipolaria::CPrint print;
  print.Init(database.odbc_connection());
  print.SetOperDate("05/12/2026");  // the day the fixture's catalogues are valid
  const auto& db = *tipolaria::detail::State().gDataBase;
  const std::string iddtext = demo ? "26001IC04000123A" : "26001IC04000777C";
  std::uint64_t requests = 0;
  std::uint64_t transactions = 0;
  std::chrono::steady_clock::duration wall{};
  for (auto _ : state) {
    print.CleanIMP();
    const std::uint64_t requests_before = db.Requests();
    const std::uint64_t transactions_before = db.Transactions();
    const auto start = std::chrono::steady_clock::now();
    const std::string result = print.GenerateIMP("O'BRIEN, JUAN PATRICIO", iddtext, "",
                                                 "05/12/2026 10:42:17", 1, "2", "", "", "", "");
    wall += std::chrono::steady_clock::now() - start;
    if (result != R"({"Result": "OK"})") {
      state.SkipWithError(result.c_str());
      break;
    }
    requests = db.Requests() - requests_before;
    transactions = db.Transactions() - transactions_before;
  }
  const double wall_s =
      std::chrono::duration<double>(wall).count() /
      static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
  state.counters["requests"] = static_cast<double>(requests);
  state.counters["transactions"] = static_cast<double>(transactions);
  state.counters["wall_s"] = wall_s;
  state.counters["network_s"] = static_cast<double>(requests) * kRoundTripMs / 1000;
  state.counters["goal_requests"] = demo ? 100 : 5000;
  state.counters["goal_transactions"] = 1;
  if (!demo) {
    state.counters["requests_per_item"] = static_cast<double>(requests) / items;
    state.counters["goal_wall_s"] = 2;
    state.counters["goal_network_s"] = 3;
  }
  state.SetLabel(demo ? "demo, odbc" : std::to_string(items) + " items, odbc");
  print.Finalize();
}
BENCHMARK(BM_GenerationThroughOdbc)
    ->ArgName("items")
    ->Arg(0)
    ->Arg(500)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
