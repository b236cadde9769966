// The session handle of the C interface and the one boundary between it and
// the C++ library: every call runs its body through Guard, which turns what
// the body raises into a return code and the handle's error texts, so that
// no exception ever reaches a host and a call on one session never touches
// the errors of another.
#ifndef TIPOLARIA_API_CHANDLE_HPP_
#define TIPOLARIA_API_CHANDLE_HPP_

#include <memory>
#include <string>

#include "runtime/Trap.hpp"
#include "tipolaria/session.hpp"
#include "tipolaria/tipolaria.h"

struct tipolaria_session {
  // The session a host made; none for the default session's handle.
  std::unique_ptr<tipolaria::Session> owned;
  tipolaria::Session* session = nullptr;
  // The error of the last call that failed; cleared by every call.
  long error_number = 0;
  std::string error_source;
  std::string error_description;
};

namespace tipolaria::detail {

// The handle of the process's default session, which the calls without a
// handle use.
tipolaria_session& DefaultHandle();

// A C text as a string: NULL is empty text.
inline std::string Text(const char* text) { return text == nullptr ? std::string() : text; }

// A copy the caller releases with tipolaria_free; NULL when memory runs out.
char* Copy(const std::string& text);

// Runs body(session) on the handle's session, recording its error in the
// handle; returns 0 or the error's number. A NULL handle runs nothing.
template <typename Body>
long Guard(tipolaria_session* handle, Body&& body) {
  if (handle == nullptr) return kErrInvalidProcedureCall;
  handle->error_number = 0;
  handle->error_source.clear();
  handle->error_description.clear();
  try {
    body(*handle->session);
    return 0;
  } catch (...) {
    const ComError error = CaughtError();
    handle->error_number = error.number() != 0 ? error.number() : kErrInternal;
    handle->error_source = error.source();
    handle->error_description = error.description();
    return handle->error_number;
  }
}

// Guard for a call that returns a text: the copy, or NULL on an error.
template <typename Getter>
char* GuardText(tipolaria_session* handle, Getter&& getter) {
  char* out = nullptr;
  Guard(handle, [&](Session& session) { out = Copy(getter(session)); });
  return out;
}

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_API_CHANDLE_HPP_
