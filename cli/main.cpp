// The tipolaria command: prints customs declarations from the command line.
// Errors are reported on stderr with their number, source and description,
// and the exit status is non-zero.
#include <CLI/CLI.hpp>

#include <iostream>

#include "DbCommands.hpp"
#include "GenerateCommand.hpp"
#include "PrintOptions.hpp"
#include "tipolaria/error.hpp"

int main(int argc, char** argv) {
  CLI::App app{"tipolaria: prints customs declarations (OM - 1993 SIM) to PDF"};
  app.require_subcommand(1);
  tipolaria::cli::AddDbCommands(app);
  tipolaria::cli::AddPrintOptions(*tipolaria::cli::AddGenerateCommand(app));
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  } catch (const tipolaria::ComError& e) {
    std::cerr << "tipolaria: error " << e.number() << ": " << e.description() << "\n"
              << "  source: " << e.source() << "\n";
    return 1;
  }
  return 0;
}
