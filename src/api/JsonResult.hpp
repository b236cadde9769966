// The JSON texts that the generation and print operations return instead of
// raising, and the boundary that makes them.
#ifndef TIPOLARIA_API_JSONRESULT_HPP_
#define TIPOLARIA_API_JSONRESULT_HPP_

#include <optional>
#include <string>
#include <utility>

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

// What an operation's body gave: its text, or the error that left it.
struct OperationOutcome {
  std::string result;
  std::optional<ComError> error;
};

// Runs `body`, which returns JsonOk(), keeping any error that leaves it; the
// session is not touched, so that bodies may run on other threads.
template <typename Body>
OperationOutcome RunOperation(Body&& body) {
  try {
    return {body(), std::nullopt};
  } catch (...) {
    return {std::string(), CaughtError()};
  }
}

// Gives the outcome's text, or the failure text of `operation`; the session
// keeps that error, the operation's name appended to its source as the text
// shows it, as its last failure (none after a success).
std::string RecordOperation(SessionState& state, const std::string& operation,
                            const OperationOutcome& outcome);

// The one boundary of the operations that report failure as JSON
// (GenerateIMP and the prints): runs `body` and records its outcome.
template <typename Body>
std::string JsonOperation(SessionState& state, const std::string& operation, Body&& body) {
  return RecordOperation(state, operation, RunOperation(std::forward<Body>(body)));
}

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_API_JSONRESULT_HPP_
