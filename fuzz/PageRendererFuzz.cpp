// The page layouts and the renderer fed arbitrary IMP rows (any field name,
// any bytes, any length, values of any kind), printed to a PDF file and to
// pictures as a print does.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FuzzInput.hpp"
#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "reports/PrintRange.hpp"
#include "reports/ReportRunner.hpp"

namespace {

// A folder of the run's own, removed when the run ends (the text outlives
// the static destructors, which run before the exit handler).
const std::string& OutputFolder() {
  static const std::string* const folder = [] {
    auto* pattern = new std::string(
        (std::filesystem::temp_directory_path() / "tipolaria-fuzz-XXXXXX").string());
    if (mkdtemp(pattern->data()) == nullptr) std::abort();
    std::atexit([] { std::filesystem::remove_all(OutputFolder()); });
    return pattern;
  }();
  return *folder;
}

// Mostly the field names the layouts know, sometimes anything.
std::string ConsumeFieldName(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) return in.ConsumeRandomLengthString(12);
  return "c" + std::to_string(in.ConsumeIntegralInRange(0, 160));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tipolaria;
  FuzzedDataProvider in(data, size);
  PrintRange range;
  range.hoja_desde = in.ConsumeIntegralInRange<std::int16_t>(-1, 4);
  range.hoja_hasta = in.ConsumeIntegralInRange<std::int16_t>(-1, 5);
  range.caratula_hojas = in.ConsumeIntegralInRange<std::int16_t>(0, 4);
  range.numero_copias = in.ConsumeIntegralInRange<std::int16_t>(0, 3);
  const bool pictures = in.ConsumeIntegralInRange(0, 7) == 0;
  const ReportKind kind = in.ConsumeBool() ? ReportKind::kCaratula : ReportKind::kSubItems;
  std::vector<Recordset::Row> rows;
  while (in.remaining_bytes() > 0 && rows.size() < 400) {
    Recordset::Row row;
    const int shape = in.ConsumeIntegralInRange(0, 9);
    // Rows as the table holds them, and now and then a column of any kind.
    row.push_back(shape == 0 ? fuzz::ConsumeValue(in)
                             : Value(in.ConsumeIntegralInRange<std::int64_t>(0, 5)));
    row.push_back(shape == 1 ? fuzz::ConsumeValue(in)
                             : Value(in.ConsumeIntegralInRange<std::int64_t>(0, 1)));
    row.push_back(shape == 2 ? fuzz::ConsumeValue(in) : Value(ConsumeFieldName(in)));
    row.push_back(shape == 3 ? fuzz::ConsumeValue(in) : Value(in.ConsumeRandomLengthString(300)));
    rows.push_back(std::move(row));
  }
  range.imp_rows = std::make_shared<const Recordset>(
      std::vector<std::string>{"NRO_HOJA", "TIPO", "NRO_CAMPO", "VALOR"}, std::move(rows));
  if (pictures) range.png_folder = OutputFolder();
  CDataBase db;  // never opened: the rows are handed in
  const std::string pdf = OutputFolder() + "/fuzz.pdf";
  fuzz::ExpectOnlyComError([&] { PrintReport(db, kind, range, pdf); });
  return 0;
}
