#include "api/JsonResult.hpp"

#include "tipolaria/session.hpp"
#include "tipolaria/text.hpp"

namespace tipolaria::detail {

std::string JsonOk() { return std::string(kJsonOk); }

std::string JsonFailure(const ComError& error, const std::string& operation) {
  return R"({"Result": "ERR", "errorMessage": )" + JsonString(error.description()) +
         R"(, "source":)" + JsonString(error.source() + " - " + operation) + "}";
}

}  // namespace tipolaria::detail
