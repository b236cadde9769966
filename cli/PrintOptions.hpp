// The print options of `tipolaria generate`: after the generation, the same
// session prints the cover and item pages and/or the continuation pages to
// PDF, optionally with a logo and with a PNG picture of every printed page.
#ifndef TIPOLARIA_CLI_PRINTOPTIONS_HPP_
#define TIPOLARIA_CLI_PRINTOPTIONS_HPP_

#include "GenerateCommand.hpp"

namespace tipolaria::cli {

void AddPrintOptions(GenerateCommand& generate);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_PRINTOPTIONS_HPP_
