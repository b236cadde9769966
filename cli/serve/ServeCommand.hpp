// `tipolaria serve`: the print service. Hosts on any machine print
// declarations over HTTP and people look at the pages in a browser
// (PrintService.hpp has the routes). It listens on the loopback address
// unless told otherwise, and then only with a bearer token; it stops on
// SIGTERM once the requests in flight have finished, leaving nothing on
// disk.
#ifndef TIPOLARIA_CLI_SERVE_SERVECOMMAND_HPP_
#define TIPOLARIA_CLI_SERVE_SERVECOMMAND_HPP_

#include <CLI/CLI.hpp>

namespace tipolaria::cli {

void AddServeCommand(CLI::App& app);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_SERVE_SERVECOMMAND_HPP_
