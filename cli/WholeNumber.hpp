// The check of a numeric option: a whole number, written in decimal, within
// the range the option's type or meaning allows. Its refusal names the
// option, the value and the range ("--copias: 99999 is not a whole number
// from -32768 to 32767"), where the parser alone would say only that it could
// not convert the value.
#ifndef TIPOLARIA_CLI_WHOLENUMBER_HPP_
#define TIPOLARIA_CLI_WHOLENUMBER_HPP_

#include <CLI/CLI.hpp>

#include <cstdint>

namespace tipolaria::cli {

// For CLI::Option::transform: it also rewrites the value in plain decimal,
// as the parser would read "010" as octal.
CLI::Validator WholeNumber(std::int64_t min, std::int64_t max);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_WHOLENUMBER_HPP_
