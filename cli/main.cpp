// The tipolaria command: prints customs declarations from the command line.
// Every error is reported on stderr as one line, and the exit status tells
// the kind of failure (ExitCode.hpp).
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

#include "BatchCommand.hpp"
#include "DbCommands.hpp"
#include "DemoCommand.hpp"
#include "ExitCode.hpp"
#include "GenerateCommand.hpp"
#include "ImpCommands.hpp"
#include "PrintCommand.hpp"
#include "serve/ServeCommand.hpp"
#include "tipolaria/tipolaria.h"

namespace {

// A parse error as one line; CLI11's own message takes two.
std::string UsageMessage(const CLI::App*, const CLI::Error& e) {
  return tipolaria::cli::UsageLine(e.what()) + "\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tipolaria::cli;
  CLI::App app{"tipolaria: prints customs declarations (OM - 1993 SIM) to PDF"};
  app.set_version_flag("--version", std::string("tipolaria ") + tipolaria_version(),
                       "Print the library's version and exit");
  app.footer(kExitCodesHelp);
  app.failure_message(UsageMessage);
  app.require_subcommand(1);
  AddDemoCommand(app);
  AddGenerateCommand(app);
  AddPrintCommand(app);
  AddBatchCommand(app);
  AddImpCommands(app);
  AddDbCommands(app);
  AddServeCommand(app);
  RemoveTemporaryFilesWhenInterrupted();
  try {
    app.parse(argc, argv);
  } catch (const CLI::RuntimeError& e) {
    return e.get_exit_code();  // the command's own status, already reported
  } catch (const CLI::ParseError& e) {
    // Help and version end well; every other parse error is a usage error.
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  } catch (const tipolaria::ComError& e) {
    ReportError(e);
    return kExitInternal;
  } catch (const std::exception& e) {
    std::cerr << "tipolaria: internal error: " << e.what() << std::endl;
    return kExitInternal;
  } catch (...) {
    std::cerr << "tipolaria: internal error" << std::endl;
    return kExitInternal;
  }
  return kExitOk;
}
