// The rows of the work table IMP as a session prints them. A session that
// generated prints its own snapshot (SessionState::snapshot); one that
// prints what another process generated reads IMP under the print lock, so
// that it never sees a generation half-way through.
#ifndef TIPOLARIA_API_IMPSNAPSHOT_HPP_
#define TIPOLARIA_API_IMPSNAPSHOT_HPP_

#include "api/SessionState.hpp"
#include "data/Recordset.hpp"

namespace tipolaria::detail {

// Every row of IMP, read under the print lock of the session's database.
// Raises the not-initialised error (source `member`) without a database,
// and the lock's time-out error when another session keeps the lock.
Recordset ReadImpUnderLock(SessionState& state, const char* member);

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_API_IMPSNAPSHOT_HPP_
