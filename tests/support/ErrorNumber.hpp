// The number of the error a call raises, 0 when it raises none.
#ifndef TIPOLARIA_TESTS_SUPPORT_ERRORNUMBER_HPP_
#define TIPOLARIA_TESTS_SUPPORT_ERRORNUMBER_HPP_

#include "tipolaria/error.hpp"

namespace tipolaria {

template <typename Call>
long ErrorNumber(Call&& call) {
  try {
    call();
  } catch (const ComError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace tipolaria

#endif  // TIPOLARIA_TESTS_SUPPORT_ERRORNUMBER_HPP_
