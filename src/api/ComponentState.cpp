#include "api/ComponentState.hpp"

namespace tipolaria::detail {

Session& DefaultSession() {
  static Session session;
  return session;
}

SessionState& State() { return StateOf(DefaultSession()); }

}  // namespace tipolaria::detail
