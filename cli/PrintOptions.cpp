#include "PrintOptions.hpp"

#include <ostream>
#include <utility>

#include "ExitCode.hpp"

namespace tipolaria::cli {

bool OperationResult::ok() const { return json == kJsonOk; }

OperationResult ResultOf(Session& print, std::string operation, std::string json) {
  return {std::move(operation), std::move(json), print.GetLastFailure()};
}

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

std::vector<OperationResult> PrintDocuments(Session& print, const PrintOutputs& outputs) {
  // The pictures and the logo are settings of the session, made before
  // either report runs. The print creates the pictures' folder: a folder
  // that cannot be made is that print's failure, reported in its result.
  print.SetLogo(outputs.logo);
  print.SetPictureFolder(outputs.png_folder);
  std::vector<OperationResult> results;
  if (!outputs.cover.empty()) {
    results.push_back(ResultOf(print, "cover print", print.PrintPDFCaratula(outputs.cover)));
  }
  if (!outputs.continuation.empty()) {
    results.push_back(
        ResultOf(print, "continuation print", print.PrintPDFSubItems(outputs.continuation)));
  }
  return results;
}

std::string FailureMessage(const OperationResult& result) {
  if (!result.failure) return result.operation + " failed: " + result.json;
  return result.operation + " failed: " + result.failure->description() +
         " (source: " + result.failure->source() + ")";
}

int WriteResults(const std::vector<OperationResult>& results, int failure, std::ostream& out) {
  int status = kExitOk;
  for (const OperationResult& result : results) {
    out << result.json << std::endl;
    if (!result.ok()) {
      Report(FailureMessage(result));
      status = failure;
    }
  }
  return status;
}

}  // namespace tipolaria::cli
