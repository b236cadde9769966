#include "api/ImpSnapshot.hpp"

#include <algorithm>
#include <memory>

#include "api/ComponentState.hpp"
#include "api/PrintLock.hpp"
#include "imp/ImpTable.hpp"
#include "runtime/Convert.hpp"

namespace tipolaria::detail {

Recordset ReadImpUnderLock(const char* member) {
  auto& state = State();
  if (!IsInitialized()) RaiseNotInitialized(member);
  PrintLock lock(*state.gDataBase, state.lock_timeout, state.lock_wait_notice);
  return ReadImpTable(*state.gDataBase);
}

std::size_t AdoptImpTable() {
  auto rows = std::make_shared<Recordset>(ReadImpUnderLock("AdoptImpTable"));
  std::int32_t last = 0;
  std::int32_t last_of_cover = 0;
  for (rows->MoveFirst(); !rows->AtEnd(); rows->MoveNext()) {
    // Rows without a page number are on no page: the reports skip them too.
    if (!rows->Field("NRO_HOJA").IsNumeric()) continue;
    const std::int32_t page = ValueToInt32(rows->Field("NRO_HOJA"));
    last = std::max(last, page);
    if (ValueToInt32(rows->Field("TIPO")) == 0) last_of_cover = std::max(last_of_cover, page);
  }
  rows->MoveFirst();
  auto& state = State();
  // A generation leaves at least the cover page in the cover report.
  state.gDriver->CaratulaHojas = CheckedPageNumber(std::max(last_of_cover, 1));
  state.gDriver->TotalHojas = last;
  state.snapshot = rows;
  return rows->RecordCount();
}

SessionPages CurrentPages() {
  const auto& driver = State().gDriver;
  if (!driver) return {};
  return {driver->CaratulaHojas, driver->TotalHojas};
}

}  // namespace tipolaria::detail
