// The tipolaria command: prints customs declarations from the command line.
// Errors are reported on stderr with their number, source and description,
// and the exit status tells the kind of failure (ExitCode.hpp).
#include <CLI/CLI.hpp>

#include <iostream>

#include "DbCommands.hpp"
#include "ExitCode.hpp"
#include "GenerateCommand.hpp"
#include "PrintOptions.hpp"
#include "runtime/Trap.hpp"
#include "tipolaria/tipolaria.h"

int main(int argc, char** argv) {
  using namespace tipolaria::cli;
  CLI::App app{"tipolaria: prints customs declarations (OM - 1993 SIM) to PDF"};
  app.set_version_flag("--version", std::string("tipolaria ") + tipolaria_version(),
                       "Print the library's version and exit");
  app.footer(kExitCodesHelp);
  app.require_subcommand(1);
  AddDbCommands(app);
  AddPrintOptions(*AddGenerateCommand(app));
  RemoveTemporaryFilesWhenInterrupted();
  try {
    app.parse(argc, argv);
  } catch (const CLI::RuntimeError& e) {
    return e.get_exit_code();  // the command's own status, already reported
  } catch (const CLI::ParseError& e) {
    // Help and version end well; every other parse error is a usage error.
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  } catch (...) {
    ReportError(tipolaria::CaughtError());
    return kExitInternal;
  }
  return kExitOk;
}
