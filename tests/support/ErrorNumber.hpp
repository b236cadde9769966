// The error a call raises: its number (0 when it raises none), or the whole
// error, a test failure when there is none.
#ifndef TIPOLARIA_TESTS_SUPPORT_ERRORNUMBER_HPP_
#define TIPOLARIA_TESTS_SUPPORT_ERRORNUMBER_HPP_

#include <gtest/gtest.h>

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

template <typename Call>
ComError RaisedError(Call&& call) {
  try {
    call();
  } catch (const ComError& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return ComError(0, "", "");
}

}  // namespace tipolaria

#endif  // TIPOLARIA_TESTS_SUPPORT_ERRORNUMBER_HPP_
