// The error trap of a procedure: runs its body and, when an error leaves it,
// re-raises the same number and description with " - Name" appended to the
// source. A trapping procedure is written as
//
//   return Trap("CDataBase.GetRs", [&] { ...body... });
//
// Errors that are not yet a ComError (a standard library exception, an
// allocation failure, anything else thrown) become one through CaughtError,
// so that nothing else crosses a trap. CaughtError is also the one boundary
// of the members that report failure as JSON or as return codes.
#ifndef TIPOLARIA_RUNTIME_TRAP_HPP_
#define TIPOLARIA_RUNTIME_TRAP_HPP_

#include <exception>
#include <new>
#include <string>
#include <utility>

#include "tipolaria/error.hpp"

namespace tipolaria {

// Error numbers of the runtime, as the original runtime numbered them.
inline constexpr long kErrInvalidProcedureCall = 5;
inline constexpr long kErrOverflow = 6;
inline constexpr long kErrOutOfMemory = 7;
inline constexpr long kErrSubscriptOutOfRange = 9;
inline constexpr long kErrDivisionByZero = 11;
inline constexpr long kErrTypeMismatch = 13;
inline constexpr long kErrInvalidUseOfNull = 94;
inline constexpr long kErrInternal = 51;
// The source the runtime gives its own errors: the component's name.
inline constexpr const char* kRuntimeSource = "Tipolaria";

// Raises a runtime error with its standard description.
[[noreturn]] void RaiseRuntimeError(long number);
// The standard description of a runtime error number.
std::string RuntimeErrorDescription(long number);

// The error being handled, as a ComError: a ComError as it stands, an
// allocation failure as "Out of memory" (7), any other exception as an
// internal error (51) with its message. Call it only inside a catch block.
ComError CaughtError();

namespace detail {
[[noreturn]] void RethrowWithSource(const std::string& name);
}  // namespace detail

template <typename Body>
decltype(auto) Trap(const std::string& name, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    detail::RethrowWithSource(name);
  }
}

}  // namespace tipolaria

#endif  // TIPOLARIA_RUNTIME_TRAP_HPP_
