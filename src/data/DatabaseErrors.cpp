#include "data/DatabaseErrors.hpp"

#include "tipolaria/error.hpp"

namespace tipolaria {

void RaiseDatabaseError(const std::string& source, const std::string& description, long number) {
  throw ComError(number, source, description);
}

}  // namespace tipolaria
