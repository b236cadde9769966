// The exit status of the tipolaria command: one per kind of failure, so that
// a script can tell a mistyped option from a busy database or a failed
// print. Documented in --help (kExitCodesHelp) and the README.
#ifndef TIPOLARIA_CLI_EXITCODE_HPP_
#define TIPOLARIA_CLI_EXITCODE_HPP_

#include <string>

#include "tipolaria/error.hpp"

namespace tipolaria::cli {

enum ExitCode : int {
  kExitOk = 0,
  kExitInternal = 1,    // the tool itself failed unexpectedly
  kExitUsage = 2,       // the command line is wrong, or a value was refused
  kExitDatabase = 3,    // the database cannot be created, opened or is not complete
  kExitGeneration = 4,  // the generation's result is ERR
  kExitPrint = 5,       // a print's result is ERR
};

inline constexpr const char* kExitCodesHelp =
    "Exit status: 0 every result OK, 2 usage error (unknown option, missing or refused value),\n"
    "3 database error (cannot create, open, read or use the database), 4 generation error (a\n"
    "generation's JSON result is ERR), 5 print error (a print's JSON result is ERR, nothing to\n"
    "print, an output folder that cannot be made), 1 internal error. batch: 4 when any\n"
    "declaration failed to generate, otherwise 5 when any failed to print. Every error is one\n"
    "line on stderr. Interrupted by SIGINT or SIGTERM, the tool leaves no partial file behind.";

// Writes the tool's own `message` on stderr: "tipolaria: message", one line
// (OneLine, tipolaria/text.hpp).
void Report(const std::string& message);

// Writes `error` on stderr as one line (OneLine): number, description and
// source.
void ReportError(const ComError& error);

// Reports `error` and ends the command with `code`.
[[noreturn]] void Fail(ExitCode code, const ComError& error);
// Reports the tool's own `message` (Report) and ends the command with
// `code`.
[[noreturn]] void Fail(ExitCode code, const std::string& message);

// The one line that reports an error of the command line's parser.
std::string UsageLine(const std::string& what);

// Interrupted (SIGINT, SIGTERM, SIGHUP), the tool removes the temporary
// files of the print under way, then ends as the signal ends it.
void RemoveTemporaryFilesWhenInterrupted();

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_EXITCODE_HPP_
