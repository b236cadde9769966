// A decimal as the tests write one, from its text.
#ifndef TIPOLARIA_TESTS_SUPPORT_DECIMALLITERAL_HPP_
#define TIPOLARIA_TESTS_SUPPORT_DECIMALLITERAL_HPP_

#include "runtime/Decimal.hpp"

namespace tipolaria::testing {

inline Decimal D(const char* text) { return Decimal::Parse(text).value(); }

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_SUPPORT_DECIMALLITERAL_HPP_
