// The recordset filter: any filter text over rows of any values.
#include <string>
#include <vector>

#include "FuzzInput.hpp"
#include "data/Recordset.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tipolaria;
  FuzzedDataProvider in(data, size);
  std::vector<std::string> columns = {"NRO_HOJA", "TIPO", "NRO_CAMPO", "VALOR"};
  std::vector<Recordset::Row> rows(in.ConsumeIntegralInRange(0, 4));
  for (auto& row : rows) {
    for (std::size_t c = 0; c < columns.size(); ++c) row.push_back(fuzz::ConsumeValue(in));
  }
  Recordset rs(columns, rows);
  const std::string filter = in.ConsumeRemainingBytesAsString();
  fuzz::ExpectOnlyComError([&] {
    rs.SetFilter(filter);
    for (; !rs.AtEnd(); rs.MoveNext()) rs.Field("nro_hoja");
    rs.RecordCount();
  });
  return 0;
}
