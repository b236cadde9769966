// `tipolaria imp ...`: the work table IMP as it stands. `imp dump` writes
// its rows on stdout (ImpDump.hpp), read under the print lock so that no
// generation is half-way through them.
#ifndef TIPOLARIA_CLI_IMPCOMMANDS_HPP_
#define TIPOLARIA_CLI_IMPCOMMANDS_HPP_

#include <CLI/CLI.hpp>

namespace tipolaria::cli {

void AddImpCommands(CLI::App& app);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_IMPCOMMANDS_HPP_
