// The number of the runtime error a call raises, 0 when it raises none.
#ifndef TIPOLARIA_TESTS_RUNTIME_RUNTIMEERRORNUMBER_HPP_
#define TIPOLARIA_TESTS_RUNTIME_RUNTIMEERRORNUMBER_HPP_

#include "tipolaria/error.hpp"

namespace tipolaria {

template <typename Call>
long RuntimeErrorNumber(Call&& call) {
  try {
    call();
  } catch (const ComError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace tipolaria

#endif  // TIPOLARIA_TESTS_RUNTIME_RUNTIMEERRORNUMBER_HPP_
