#include "DemoCommand.hpp"

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>

#include "DemoData.hpp"
#include "ExitCode.hpp"
#include "GenerateCommand.hpp"
#include "tipolaria/database.hpp"

namespace tipolaria::cli {
namespace {

// Builds the demo database at `path`, replacing the one an earlier demo
// left there. It is made beside it and renamed when complete, so that an
// interrupted demo never leaves half a database under the demo's name.
void BuildDemoDatabase(const std::filesystem::path& path) {
  const std::filesystem::path building = path.string() + ".new";
  std::error_code error;
  std::filesystem::remove(building, error);
  try {
    CreateDatabase(building.string(), std::string(DemoCatalogueSql()) + DemoDeclarationSql());
  } catch (const ComError& e) {
    Fail(kExitDatabase, e);
  }
  std::filesystem::rename(building, path, error);
  if (error) {
    Fail(kExitDatabase, "demo: cannot put the demo database in place at \"" + path.string() +
                            "\": " + error.message());
  }
}

void Run(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    Fail(kExitDatabase, "demo: cannot create the folder \"" + folder + "\": " + error.message());
  }
  const std::filesystem::path out(folder);
  BuildDemoDatabase(out / "demo.db");

  // The demo declaration as a broker's host prints it: the official print
  // of the red channel, with the organism's label and the client's
  // reference, the catalogues read as of the day of the official date.
  GenerateRequest request;
  request.session.database.connection = "sqlite:" + (out / "demo.db").string();
  request.iddtext = kDemoIddtext;
  GenerationOptions& g = request.generation;
  g.nombre_despachante = "O'BRIEN, JUAN PATRICIO";
  g.fecofi = "05/12/2026 10:42:17";
  g.oper = 1;
  g.canal = "2";
  g.org = "ADUANA DE BUENOS AIRES";
  g.eta = "X1";
  g.oper_date = "05/12/2026";
  g.referencia_cliente = "PO-4471/2026";
  request.settings.copias = 1;
  request.outputs.cover = (out / "demo-cover.pdf").string();
  request.outputs.continuation = (out / "demo-continuation.pdf").string();
  request.outputs.png_folder = (out / "png").string();

  const int status = GenerateAndPrint(request, std::cout);
  if (status != kExitOk) throw CLI::RuntimeError(status);
  std::cerr << "tipolaria: demo: " << request.outputs.cover << ", " << request.outputs.continuation
            << ", pictures in " << request.outputs.png_folder << ", database "
            << (out / "demo.db").string() << std::endl;
}

}  // namespace

void AddDemoCommand(CLI::App& app) {
  CLI::App* c =
      app.add_subcommand("demo",
                         "Build the demo database and print the demo declaration: OUT/demo.db, "
                         "OUT/demo-cover.pdf, OUT/demo-continuation.pdf and OUT/png/");
  auto folder = std::make_shared<std::string>("tipolaria-demo");
  c->add_option("--out,-o", *folder, "Folder for the demo's files (default: tipolaria-demo)");
  c->footer(kExitCodesHelp);
  c->callback([folder] { Run(*folder); });
}

}  // namespace tipolaria::cli
