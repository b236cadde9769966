#include "PrintCommand.hpp"

#include <iostream>
#include <memory>

#include "CommandSession.hpp"
#include "ExitCode.hpp"
#include "PrintOptions.hpp"
#include "PrintSettings.hpp"
#include "tipolaria/database.hpp"

namespace tipolaria::cli {
namespace {

struct PrintRequest {
  SessionOptions session;
  PrintSettings settings;
  PrintOutputs outputs;
};

int Run(const PrintRequest& request) {
  if (request.outputs.cover.empty() && request.outputs.continuation.empty()) {
    Fail(kExitUsage, "print: nothing to print: give --cover PDF, --continuation PDF or both");
  }
  CommandSession session(request.session);
  Session& print = session.print();
  std::size_t rows = 0;
  try {
    rows = print.AdoptImpTable();
  } catch (const ComError& e) {
    Fail(kExitDatabase, e);
  }
  if (rows == 0) {
    Fail(kExitPrint, "print: the work table IMP of \"" +
                         MaskConnectionString(session.connection()) +
                         "\" is empty: nothing to print (generate first)");
  }
  // A --caratula-hojas given wins over the count read from the table.
  ApplyPrintSettings(print, request.settings);
  ApplyPrintRange(print, request.settings);
  // Both documents are tried, and both results reported, whatever the
  // first one's.
  return WriteResults(PrintDocuments(print, request.outputs), kExitPrint, std::cout);
}

}  // namespace

void AddPrintCommand(CLI::App& app) {
  CLI::App* c = app.add_subcommand(
      "print", "Print the pages the work table IMP holds (generated elsewhere) to PDF");
  auto request = std::make_shared<PrintRequest>();
  AddSessionOptions(*c, request->session);
  AddPrintSettings(*c, request->settings, /*with_range=*/true);
  AddDocumentOptions(*c, request->outputs);
  AddPictureOptions(*c, request->outputs);
  c->footer(kExitCodesHelp);
  c->callback([request] {
    const int status = Run(*request);
    if (status != kExitOk) throw CLI::RuntimeError(status);
  });
}

}  // namespace tipolaria::cli
