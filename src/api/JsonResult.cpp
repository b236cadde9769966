#include "api/JsonResult.hpp"

#include "tipolaria/session.hpp"
#include "tipolaria/text.hpp"

namespace tipolaria::detail {

std::string JsonOk() { return std::string(kJsonOk); }

std::string JsonFailure(const ComError& error, const std::string& operation) {
  return R"({"Result": "ERR", "errorMessage": )" + JsonString(error.description()) +
         R"(, "source":)" + JsonString(error.source() + " - " + operation) + "}";
}

std::string RecordOperation(SessionState& state, const std::string& operation,
                            const OperationOutcome& outcome) {
  if (!outcome.error) {
    state.last_failure.reset();
    return outcome.result;
  }
  state.last_failure = *outcome.error;
  state.last_failure->AppendSource(operation);
  return JsonFailure(*outcome.error, operation);
}

}  // namespace tipolaria::detail
