// The JSON texts that the generation and print operations return instead of
// raising, and the boundary that makes them.
#ifndef TIPOLARIA_API_JSONRESULT_HPP_
#define TIPOLARIA_API_JSONRESULT_HPP_

#include <string>

#include "api/SessionState.hpp"
#include "runtime/Trap.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria::detail {

// {"Result": "OK"}
std::string JsonOk();

// {"Result": "ERR", "errorMessage": "<description>", "source":"<source> - <operation>"}
// Quotes, backslashes and control characters of the description and source
// are escaped and invalid UTF-8 bytes read as Latin-1, so that the text is
// always valid JSON in valid UTF-8; everything else stands
// as the hosts already parse it (the blanks after two colons, none after
// "source").
std::string JsonFailure(const ComError& error, const std::string& operation);

// The one boundary of the operations that report failure as JSON
// (GenerateIMP and the prints): runs `body`, which returns JsonOk(), and
// turns any error that leaves it into the failure text of `operation`. The
// session keeps that error, the operation's name appended to its source as
// the text shows it, as its last failure (none after a success).
template <typename Body>
std::string JsonOperation(SessionState& state, const std::string& operation, Body&& body) {
  try {
    std::string result = body();
    state.last_failure.reset();
    return result;
  } catch (...) {
    const ComError error = CaughtError();
    state.last_failure = error;
    state.last_failure->AppendSource(operation);
    return JsonFailure(error, operation);
  }
}

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_API_JSONRESULT_HPP_
