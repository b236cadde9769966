// The rows of the work table IMP as the session prints them. A session that
// generated prints its own snapshot (ComponentState::snapshot); one that
// prints what another process generated reads IMP under the print lock, so
// that it never sees a generation half-way through.
#ifndef TIPOLARIA_API_IMPSNAPSHOT_HPP_
#define TIPOLARIA_API_IMPSNAPSHOT_HPP_

#include <cstddef>

#include "data/Recordset.hpp"

namespace tipolaria::detail {

// Every row of IMP, read under the print lock of the component's database.
// Raises the not-initialised error (source `member`) without a database,
// and the lock's time-out error when another session keeps the lock.
Recordset ReadImpUnderLock(const char* member);

// Makes what IMP holds the session's own, as if this session had generated
// it: one read becomes the snapshot that every print of the session renders
// (both documents show the same generation), and the driver's page counts
// (TotalHojas, CaratulaHojas) become those of the pages read, so that the
// range is clamped and the documents are split as after a generation.
// Returns the number of rows read.
std::size_t AdoptImpTable();

// The pages of the session's last generation (or adopted table): the last
// page of the cover report and the last page. Zero before either.
struct SessionPages {
  int caratula_hojas = 0;
  int total_hojas = 0;
};
SessionPages CurrentPages();

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_API_IMPSNAPSHOT_HPP_
