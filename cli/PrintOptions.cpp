#include "PrintOptions.hpp"

#include <memory>
#include <string>

#include "api/ComponentState.hpp"

namespace tipolaria::cli {
namespace {

struct PrintPaths {
  std::string cover;
  std::string continuation;
  std::string png_folder;
  std::string logo;
};

}  // namespace

void AddPrintOptions(GenerateCommand& generate) {
  auto paths = std::make_shared<PrintPaths>();
  CLI::App& c = generate.command();
  c.add_option("--cover", paths->cover, "Print the cover and item pages to this PDF file");
  c.add_option("--continuation", paths->continuation,
               "Print the continuation pages to this PDF file");
  c.add_option("--png", paths->png_folder,
               "Also write each printed page as a PNG picture in this folder");
  c.add_option("--logo", paths->logo, "A PNG drawn in the logo box of every page")
      ->check(CLI::ExistingFile);

  // The pictures and the logo are settings of the print, made before either
  // report runs; the pictures are the tool's own aid, not a host setting.
  generate.AddStep([paths](CPrint& print) -> std::optional<std::string> {
    print.SetLogo(paths->logo);
    // The print creates the folder: a folder that cannot be made is that
    // print's failure, reported in its result.
    detail::State().png_folder = paths->png_folder;
    return std::nullopt;
  });
  generate.AddStep([paths](CPrint& print) -> std::optional<std::string> {
    if (paths->cover.empty()) return std::nullopt;
    return print.PrintPDFCaratula(paths->cover);
  });
  generate.AddStep([paths](CPrint& print) -> std::optional<std::string> {
    if (paths->continuation.empty()) return std::nullopt;
    return print.PrintPDFSubItems(paths->continuation);
  });
}

}  // namespace tipolaria::cli
