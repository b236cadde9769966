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
    case kErrDuplicateKey:
      return "This key is already associated with an element of this collection";
    default:
      return "Application-defined or object-defined error";
  }
}

void RaiseRuntimeError(long number) {
  throw ComError(number, kRuntimeSource, RuntimeErrorDescription(number));
}

namespace detail {

void RethrowWithSource(const std::string& name) {
  try {
    throw;
  } catch (ComError& e) {
    e.AppendSource(name);
    throw;
  } catch (const std::bad_alloc&) {
    ComError e(kErrOutOfMemory, kRuntimeSource, RuntimeErrorDescription(kErrOutOfMemory));
    e.AppendSource(name);
    throw e;
  } catch (const std::exception& ex) {
    ComError e(kErrInternal, kRuntimeSource, ex.what());
    e.AppendSource(name);
    throw e;
  }
}

}  // namespace detail
}  // namespace tipolaria
