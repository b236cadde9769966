// Errors of the database engines, raised as the system's errors: the
// engine's message as the description, the engine as the source.
#ifndef TIPOLARIA_DATA_DATABASEERRORS_HPP_
#define TIPOLARIA_DATA_DATABASEERRORS_HPP_

#include <string>

#include "tipolaria/error.hpp"

namespace tipolaria {

// The number the original data-access layer gave every provider failure.
inline constexpr long kErrProvider = -2147467259;  // 0x80004005
// A value that the database cannot convert (an impossible date).
inline constexpr long kErrConversion = -2147217913;  // 0x80040E07
// kErrTimeout, the wait for a lock held by another session ran out, is
// public: tipolaria/error.hpp.

[[noreturn]] void RaiseDatabaseError(const std::string& source, const std::string& description,
                                     long number = kErrProvider);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_DATABASEERRORS_HPP_
