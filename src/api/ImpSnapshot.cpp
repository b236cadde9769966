// Reading IMP outside a generation: a print of pages another process
// generated, AdoptImpTable and ReadImpRows.
#include "api/ImpSnapshot.hpp"

#include <algorithm>
#include <memory>

#include "api/PrintLock.hpp"
#include "imp/ImpTable.hpp"
#include "runtime/Convert.hpp"
#include "tipolaria/session.hpp"

namespace tipolaria {
namespace detail {

Recordset ReadImpUnderLock(SessionState& state, const char* member) {
  if (!IsInitialized(state)) RaiseNotInitialized(member);
  PrintLock lock(*state.gDataBase, state.settings.lock_timeout, state.settings.lock_wait_notice);
  return ReadImpTable(*state.gDataBase);
}

}  // namespace detail

std::size_t Session::AdoptImpTable() {
  detail::SessionState& state = *state_;
  auto rows = std::make_shared<Recordset>(detail::ReadImpUnderLock(state, "AdoptImpTable"));
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
  // A generation leaves at least the cover page in the cover report.
  state.gDriver->CaratulaHojas = CheckedPageNumber(std::max(last_of_cover, 1));
  state.gDriver->TotalHojas = last;
  state.snapshot = rows;
  return rows->RecordCount();
}

std::vector<Session::ImpRow> Session::ReadImpRows() {
  Recordset rows = detail::ReadImpUnderLock(*state_, "ReadImpRows");
  std::vector<ImpRow> out;
  out.reserve(rows.RecordCount());
  for (rows.MoveFirst(); !rows.AtEnd(); rows.MoveNext()) {
    out.push_back({ValueToFieldValue(rows.Field("NRO_HOJA")), ValueToFieldValue(rows.Field("TIPO")),
                   ValueToFieldValue(rows.Field("NRO_CAMPO")),
                   ValueToFieldValue(rows.Field("VALOR"))});
  }
  return out;
}

}  // namespace tipolaria
