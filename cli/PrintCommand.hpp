// `tipolaria print`: prints what the work table IMP holds, without
// generating, as a host that generated in another process does. The
// session reads IMP once, under the print lock, and prints both documents
// from that one read, split and numbered as the generation left them.
#ifndef TIPOLARIA_CLI_PRINTCOMMAND_HPP_
#define TIPOLARIA_CLI_PRINTCOMMAND_HPP_

#include <CLI/CLI.hpp>

namespace tipolaria::cli {

void AddPrintCommand(CLI::App& app);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_PRINTCOMMAND_HPP_
