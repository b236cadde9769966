#include "api/ComponentState.hpp"

#include "tipolaria/error.hpp"

namespace tipolaria::detail {

ComponentState& State() {
  static ComponentState state;
  return state;
}

void RaiseNotInitialized(const std::string& member) {
  throw ComError(kErrNotInitialized, member, kNotInitialized);
}

CTipolaria& RequireDriver(const std::string& member) {
  if (!State().gDriver) RaiseNotInitialized(member);
  return *State().gDriver;
}

bool IsInitialized() { return State().gDriver && State().gDataBase; }

}  // namespace tipolaria::detail
