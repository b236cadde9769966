// `tipolaria batch`: generates and prints many declarations, one after
// another in one session, or --jobs N at once in N sessions on N threads.
// Each declaration's documents are those a `generate` of it alone prints,
// whatever the number of jobs: OUT/<iddtext>-cover.pdf and
// OUT/<iddtext>-continuation.pdf (none when the declaration has no
// continuation pages). Its outcome goes to one JSON line on stdout, in the
// order of the list; a declaration that fails is reported and the batch
// goes on with the next. A summary line ends the batch on stderr; the exit
// status is not 0 when any declaration failed (ExitCode.hpp).
#ifndef TIPOLARIA_CLI_BATCHCOMMAND_HPP_
#define TIPOLARIA_CLI_BATCHCOMMAND_HPP_

#include <CLI/CLI.hpp>

namespace tipolaria::cli {

void AddBatchCommand(CLI::App& app);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_BATCHCOMMAND_HPP_
