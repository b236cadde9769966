#include "GenerateCommand.hpp"

#include <iostream>
#include <memory>

#include "ExitCode.hpp"

namespace tipolaria::cli {

int GenerateAndPrint(const GenerateRequest& request, std::ostream& out) {
  CommandSession session(request.session);
  Session& print = session.print();
  PrepareDatabase(print, request.generation);
  ApplyPrintSettings(print, request.settings);
  const OperationResult generated =
      ResultOf(print, "generation", Generate(print, request.generation, request.iddtext));
  if (WriteResults({generated}, kExitGeneration, out) != kExitOk) return kExitGeneration;
  ApplyPrintRange(print, request.settings);
  return WriteResults(PrintDocuments(print, request.outputs), kExitPrint, out);
}

void AddGenerateCommand(CLI::App& app) {
  CLI::App* c = app.add_subcommand(
      "generate", "Generate one declaration's pages into the work table IMP, and print them");
  // The callback owns the request, which the options write to, for as long
  // as `app` holds the subcommand.
  auto request = std::make_shared<GenerateRequest>();
  AddSessionOptions(*c, request->session);
  c->add_option("--iddtext", request->iddtext, "The declaration (DDT.iddtext)")->required();
  AddGenerationOptions(*c, request->generation, /*with_idorig=*/true);
  AddPrintSettings(*c, request->settings, /*with_range=*/true);
  AddDocumentOptions(*c, request->outputs);
  AddPictureOptions(*c, request->outputs);
  c->footer(kExitCodesHelp);
  c->callback([request] {
    const int status = GenerateAndPrint(*request, std::cout);
    if (status != kExitOk) throw CLI::RuntimeError(status);
  });
}

}  // namespace tipolaria::cli
