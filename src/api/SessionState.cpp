#include "api/SessionState.hpp"

#include "tipolaria/error.hpp"

namespace tipolaria::detail {

void RaiseNotInitialized(const std::string& member) {
  throw ComError(kErrNotInitialized, member, kNotInitialized);
}

CTipolaria& RequireDriver(SessionState& state, const std::string& member) {
  if (!state.gDriver) RaiseNotInitialized(member);
  return *state.gDriver;
}

bool IsInitialized(const SessionState& state) { return state.gDriver && state.gDataBase; }

}  // namespace tipolaria::detail
