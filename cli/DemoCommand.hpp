// `tipolaria demo`: the demo in one command, for a first look. Builds the
// demo database (the embedded schema and the demo data) in the output
// folder, then generates and prints the demo declaration as `generate`
// does: the two PDF documents and a PNG picture of every page.
#ifndef TIPOLARIA_CLI_DEMOCOMMAND_HPP_
#define TIPOLARIA_CLI_DEMOCOMMAND_HPP_

#include <CLI/CLI.hpp>

namespace tipolaria::cli {

void AddDemoCommand(CLI::App& app);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_DEMOCOMMAND_HPP_
