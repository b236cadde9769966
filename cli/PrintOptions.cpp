#include "PrintOptions.hpp"

#include <ostream>

#include "ExitCode.hpp"
#include "api/ComponentState.hpp"
#include "api/JsonResult.hpp"

namespace tipolaria::cli {

void AddDocumentOptions(CLI::App& c, PrintOutputs& outputs) {
  c.add_option("--cover", outputs.cover, "Print the cover and item pages to this PDF file");
  c.add_option("--continuation", outputs.continuation,
               "Print the continuation pages to this PDF file");
}

void AddPictureOptions(CLI::App& c, PrintOutputs& outputs) {
  c.add_option("--png", outputs.png_folder,
               "Also write each printed page as a PNG picture in this folder");
  c.add_option("--logo", outputs.logo, "A PNG drawn in the logo box of every page")
      ->check(CLI::ExistingFile);
}

std::vector<std::string> PrintDocuments(CPrint& print, const PrintOutputs& outputs) {
  // The pictures and the logo are settings of the print, made before either
  // report runs; the pictures are the tool's own aid, not a host setting.
  // The print creates the pictures' folder: a folder that cannot be made is
  // that print's failure, reported in its result.
  print.SetLogo(outputs.logo);
  detail::State().png_folder = outputs.png_folder;
  std::vector<std::string> results;
  if (!outputs.cover.empty()) results.push_back(print.PrintPDFCaratula(outputs.cover));
  if (!outputs.continuation.empty() && (results.empty() || IsOk(results.back()))) {
    results.push_back(print.PrintPDFSubItems(outputs.continuation));
  }
  return results;
}

bool IsOk(const std::string& result) { return result == detail::JsonOk(); }

int WriteResults(const std::vector<std::string>& results, int failure, std::ostream& out) {
  int status = kExitOk;
  for (const std::string& result : results) {
    out << result << std::endl;
    if (!IsOk(result)) status = failure;
  }
  return status;
}

}  // namespace tipolaria::cli
