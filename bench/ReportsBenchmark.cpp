// Pages per second of the rendering stage, from IMP rows in an embedded
// database to PDF files: cover pages (about 150 fields, lines, barcode) and
// continuation pages (61 text lines), as one document of many pages and as
// many one-page documents, with the process's peak memory, and the bytes a
// further cover page adds to a document. Each figure is printed beside its
// goal (goal_* counters); rates are per second of CPU time.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "data/CDataBase.hpp"
#include "data/SqliteBackend.hpp"
#include "reports/LaserLayouts.hpp"
#include "reports/ReportRunner.hpp"

namespace {

using tipolaria::ReportKind;

constexpr int kCoverPages = 50;
constexpr int kContinuationPages = 50;

// A value of the width the form expects in a field: its layout text, or a
// long line for the fields without one.
std::string SampleValue(const tipolaria::LayoutControl& control) {
  if (!control.text.empty()) return std::string(control.text.size(), 'X');
  return "MERCADERIA DE PRUEBA PARA MEDIR EL DIBUJO DE LA PAGINA 1234,56";
}

// A database whose IMP holds kCoverPages cover pages (every field filled)
// followed by kContinuationPages continuation pages (every line filled).
class BenchDatabase {
 public:
  BenchDatabase() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tipolaria-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    const std::string path = folder_ + "/customs.db";
    tipolaria::CreateDatabaseFile(path);
    std::string sql = "BEGIN;\n";
    auto insert = [&](int page, int tipo, const std::string& field, const std::string& value) {
      sql += "INSERT INTO IMP VALUES (" + std::to_string(page) + ", " + std::to_string(tipo) +
             ", '" + field + "', '" + value + "');\n";
    };
    for (int page = 1; page <= kCoverPages; ++page) {
      for (const auto& control : tipolaria::CaratulaLaserLayout().controls()) {
        if (control.type != tipolaria::ControlType::kField) continue;
        insert(page, 0, control.name,
               control.name == "c3" ? "16 001 IC04 000123 A" : SampleValue(control));
      }
    }
    for (int page = kCoverPages + 1; page <= kCoverPages + kContinuationPages; ++page) {
      for (const auto& control : tipolaria::SubItemLaserLayout().controls()) {
        if (control.type == tipolaria::ControlType::kField && control.name != "c66") {
          insert(page, 1, control.name, SampleValue(control));
        }
      }
    }
    sql += "COMMIT;\n";
    tipolaria::SqliteBackend(path).ExecuteScript(sql);
    db_.OpenDB("sqlite:" + path);
  }
  ~BenchDatabase() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  BenchDatabase(const BenchDatabase&) = delete;
  BenchDatabase& operator=(const BenchDatabase&) = delete;

  tipolaria::CDataBase& db() { return db_; }
  std::string pdf() const { return folder_ + "/out.pdf"; }

 private:
  std::string folder_;
  tipolaria::CDataBase db_;
};

BenchDatabase& Database() {
  static BenchDatabase database;
  return database;
}

tipolaria::PrintRange Range(int desde, int hasta) {
  tipolaria::PrintRange range;
  range.hoja_desde = static_cast<std::int16_t>(desde);
  range.hoja_hasta = static_cast<std::int16_t>(hasta);
  range.caratula_hojas = kCoverPages;
  range.numero_copias = 1;
  return range;
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = usage.ru_maxrss / 1024.0;
}

void RunDocuments(benchmark::State& state, ReportKind kind, int first, int pages_per_document,
                  int documents, double goal_pages_per_s) {
  BenchDatabase& database = Database();
  std::int64_t pages = 0;
  for (auto _ : state) {
    for (int d = 0; d < documents; ++d) {
      const int from = first + d * pages_per_document;
      pages += tipolaria::PrintReport(database.db(), kind,
                                      Range(from, from + pages_per_document - 1), database.pdf());
    }
  }
  state.counters["pages_per_s"] =
      benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
  if (goal_pages_per_s > 0) state.counters["goal_pages_per_s"] = goal_pages_per_s;
  ReportPeakMemory(state);
}

void BM_CoverOneDocument(benchmark::State& state) {
  RunDocuments(state, ReportKind::kCaratula, 1, kCoverPages, 1, 900);
}
void BM_CoverOnePageDocuments(benchmark::State& state) {
  RunDocuments(state, ReportKind::kCaratula, 1, 1, kCoverPages, 300);
}
void BM_ContinuationOneDocument(benchmark::State& state) {
  RunDocuments(state, ReportKind::kSubItems, kCoverPages + 1, kContinuationPages, 1, 1500);
}
void BM_ContinuationOnePageDocuments(benchmark::State& state) {
  RunDocuments(state, ReportKind::kSubItems, kCoverPages + 1, 1, kContinuationPages, 0);
}

// The bytes each cover page after the first adds to a document: a document
// of every cover page against one of its first page.
void BM_CoverBytesPerFurtherPage(benchmark::State& state) {
  BenchDatabase& database = Database();
  double per_page = 0;
  for (auto _ : state) {
    tipolaria::PrintReport(database.db(), ReportKind::kCaratula, Range(1, 1), database.pdf());
    const auto one = std::filesystem::file_size(database.pdf());
    tipolaria::PrintReport(database.db(), ReportKind::kCaratula, Range(1, kCoverPages),
                           database.pdf());
    const auto all = std::filesystem::file_size(database.pdf());
    per_page = (static_cast<double>(all) - static_cast<double>(one)) / (kCoverPages - 1);
  }
  state.counters["bytes_per_further_page"] = per_page;
  state.counters["goal_bytes_per_further_page"] = 3 * 1024;
}

BENCHMARK(BM_CoverOneDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoverOnePageDocuments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContinuationOneDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContinuationOnePageDocuments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoverBytesPerFurtherPage)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
