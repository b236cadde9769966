// `tipolaria generate`: one print session through the public class. Opens the
// database, applies the settings given, generates one declaration's pages
// into IMP and, when asked, prints them in the same session; each
// operation's JSON result goes on a line of its own. The exit status is 0
// when every result is "OK", otherwise it names the kind of failure
// (ExitCode.hpp). `tipolaria demo` runs the same session on the demo
// database.
#ifndef TIPOLARIA_CLI_GENERATECOMMAND_HPP_
#define TIPOLARIA_CLI_GENERATECOMMAND_HPP_

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <string>

#include "CommandSession.hpp"
#include "GenerationOptions.hpp"
#include "PrintOptions.hpp"
#include "PrintSettings.hpp"

namespace tipolaria::cli {

struct GenerateRequest {
  SessionOptions session;
  std::string iddtext;
  GenerationOptions generation;
  PrintSettings settings;
  PrintOutputs outputs;
};

// The session of `request`; writes the JSON lines to `out`, and a line on
// stderr for each that failed, and returns the exit status. Errors of Init
// and the settings have no JSON result: they are reported on stderr and end
// the command with their exit status.
int GenerateAndPrint(const GenerateRequest& request, std::ostream& out);

void AddGenerateCommand(CLI::App& app);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_GENERATECOMMAND_HPP_
