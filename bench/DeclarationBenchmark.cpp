// A whole declaration, generated and printed through the public class: the
// cover, one item page per further item and the continuation pages, for
// declarations of 1, 10, 100 and 500 items (each item in two sub-items, with
// its settlement, catalogue data and certificate). Reports the time of one
// generation with both prints, the pages, the statements sent and the
// process's peak memory; items per second staying level across the sizes
// shows the cost growing linearly with the items. The generation and the
// prints are also timed apart (wall time of one run, goal_* beside them: a
// 500-item declaration generated in 1 s and printed in 1 s, 50 MiB at
// most), and the statements per item show the reference lookups read once
// per generation: they stay level too. BM_BothDocuments prints the
// 500-item declaration's two documents one after the other and at once
// (Session::PrintPDFs, two threads): the wall time of each way.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <string>

#include "BenchDatabase.hpp"
#include "api/ComponentState.hpp"
#include "tipolaria/cprint.hpp"
#include "tipolaria/session.hpp"

namespace {

constexpr const char* kOk = R"({"Result": "OK"})";

void BM_WholeDeclaration(benchmark::State& state) {
  const auto items = static_cast<int>(state.range(0));
  tipolaria::bench::BenchDatabase database(
      {"decl_catalogo.sql", "decl_demo.sql", "decl_items.sql"},
      "CREATE TABLE cantidad_items AS SELECT " + std::to_string(items) + " AS n;");
  tipolaria::CPrint print;
  print.Init(database.connection());
  print.SetOperDate("05/12/2026");  // the day the fixture's catalogues are valid
  print.SetHojaHasta(32767);        // every page
  const auto& state_ = tipolaria::detail::State();
  const std::string cover = database.folder() + "/cover.pdf";
  const std::string continuation = database.folder() + "/continuation.pdf";
  const std::uint64_t before = state_.gDataBase->StatementCount();
  std::int32_t pages = 0;
  using Clock = std::chrono::steady_clock;
  Clock::duration generating{};
  Clock::duration printing{};
  for (auto _ : state) {
    print.CleanIMP();
    const Clock::time_point start = Clock::now();
    std::string result = print.GenerateIMP("O'BRIEN, JUAN PATRICIO", "26001IC04000777C", "",
                                           "05/12/2026 10:42:17", 1, "R", "", "", "", "");
    const Clock::time_point generated = Clock::now();
    if (result == kOk) result = print.PrintPDFCaratula(cover);
    if (result == kOk) result = print.PrintPDFSubItems(continuation);
    generating += generated - start;
    printing += Clock::now() - generated;
    if (result != kOk) {
      state.SkipWithError(result.c_str());
      break;
    }
    pages = state_.gDriver->TotalHojas;
  }
  state.counters["pages"] = pages;
  const auto average_s = [&](Clock::duration total) {
    return std::chrono::duration<double>(total).count() / static_cast<double>(state.iterations());
  };
  state.counters["generate_s"] = average_s(generating);
  state.counters["print_s"] = average_s(printing);
  if (items == 500) {
    state.counters["goal_generate_s"] = 1;
    state.counters["goal_print_s"] = 1;
    state.counters["goal_peak_rss_MiB"] = 50;
  }
  state.counters["statements"] =
      benchmark::Counter(static_cast<double>(state_.gDataBase->StatementCount() - before),
                         benchmark::Counter::kAvgIterations);
  state.counters["statements_per_item"] =
      static_cast<double>(state_.gDataBase->StatementCount() - before) /
      static_cast<double>(state.iterations()) / items;
  state.counters["items_per_s"] =
      benchmark::Counter(items, benchmark::Counter::kIsIterationInvariantRate);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = usage.ru_maxrss / 1024.0;
  print.Finalize();
}
BENCHMARK(BM_WholeDeclaration)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// arg 0: one document after the other; 1: both at once.
void BM_BothDocuments(benchmark::State& state) {
  const bool at_once = state.range(0) == 1;
  tipolaria::bench::BenchDatabase database({"decl_catalogo.sql", "decl_demo.sql", "decl_items.sql"},
                                           "CREATE TABLE cantidad_items AS SELECT 500 AS n;");
  tipolaria::Session session;
  session.Init(database.connection());
  session.SetOperDate("05/12/2026");
  session.SetHojaHasta(32767);
  const std::string generated =
      session.GenerateIMP("O'BRIEN, JUAN PATRICIO", "26001IC04000777C", "", "05/12/2026 10:42:17",
                          1, "R", "", "", "", "");
  if (generated != kOk) state.SkipWithError(generated.c_str());
  const std::string cover = database.folder() + "/cover.pdf";
  const std::string continuation = database.folder() + "/continuation.pdf";
  for (auto _ : state) {
    std::string result;
    if (at_once) {
      const tipolaria::Session::Documents both = session.PrintPDFs(cover, continuation);
      result = both.caratula == kOk ? both.sub_items : both.caratula;
    } else {
      result = session.PrintPDFCaratula(cover);
      if (result == kOk) result = session.PrintPDFSubItems(continuation);
    }
    if (result != kOk) {
      state.SkipWithError(result.c_str());
      break;
    }
  }
  state.counters["pages"] = session.GetPages().TotalHojas;
}
BENCHMARK(BM_BothDocuments)
    ->ArgName("at_once")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
