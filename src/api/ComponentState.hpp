// The component state of the original: one default session per process,
// which every CPrint object and the C calls without a session handle share,
// as hosts of the original component expect (a second CPrint sees what the
// first set up). It is global and mutable on purpose; like any session it
// is used by one thread at a time.
#ifndef TIPOLARIA_API_COMPONENTSTATE_HPP_
#define TIPOLARIA_API_COMPONENTSTATE_HPP_

#include "api/SessionState.hpp"
#include "tipolaria/session.hpp"

namespace tipolaria::detail {

// The default session, made at its first use and kept for the process's
// life.
Session& DefaultSession();
// Its state: gDataBase, gDriver, HojaDesde and HojaHasta of the original.
SessionState& State();

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_API_COMPONENTSTATE_HPP_
