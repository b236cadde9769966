#include "runtime/Trap.hpp"

namespace tipolaria {

std::string RuntimeErrorDescription(long number) {
  switch (number) {
    case kErrInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case kErrOverflow:
      return "Overflow";
    case kErrOutOfMemory:
      return "Out of memory";
    case kErrSubscriptOutOfRange:
      return "Subscript out of range";
    case kErrDivisionByZero:
      return "Division by zero";
    case kErrTypeMismatch:
      return "Type mismatch";
    case kErrInvalidUseOfNull:
      return "Invalid use of Null";
    case kErrInternal:
      return "Internal error";
    default:
      return "Application-defined or object-defined error";
  }
}

void RaiseRuntimeError(long number) {
  throw ComError(number, kRuntimeSource, RuntimeErrorDescription(number));
}

ComError CaughtError() {
  try {
    throw;
  } catch (const ComError& e) {
    return e;
  } catch (const std::bad_alloc&) {
    // The description of an allocation failure is not the library's
    // "std::bad_alloc" but the runtime's own text.
    return ComError(kErrOutOfMemory, kRuntimeSource, RuntimeErrorDescription(kErrOutOfMemory));
  } catch (const std::exception& e) {
    return ComError(kErrInternal, kRuntimeSource, e.what());
  } catch (...) {
    return ComError(kErrInternal, kRuntimeSource, RuntimeErrorDescription(kErrInternal));
  }
}

namespace detail {

void RethrowWithSource(const std::string& name) {
  ComError error = CaughtError();
  error.AppendSource(name);
  throw error;
}

}  // namespace detail
}  // namespace tipolaria
