#include "PrintOptions.hpp"

#include <algorithm>
#include <charconv>
#include <ostream>

#include "ExitCode.hpp"
#include "api/ComponentState.hpp"
#include "api/JsonResult.hpp"
#include "runtime/Utf8.hpp"

namespace tipolaria::cli {
namespace {

// The text of the string member `key` of a JSON result the component wrote
// (detail::JsonFailure), unescaped; empty when there is none. The member's
// name cannot occur inside an earlier value: the quotes there are escaped.
std::string JsonText(const std::string& json, const std::string& key) {
  const std::string member = "\"" + key + "\":";
  std::size_t pos = json.find(member);
  if (pos == std::string::npos) return {};
  pos = json.find('"', pos + member.size());
  if (pos == std::string::npos) return {};
  std::string text;
  for (++pos; pos < json.size() && json[pos] != '"'; ++pos) {
    if (json[pos] != '\\' || pos + 1 == json.size()) {
      text += json[pos];
      continue;
    }
    switch (const char escaped = json[++pos]) {
      case 'n':
        text += '\n';
        break;
      case 'r':
        text += '\r';
        break;
      case 't':
        text += '\t';
        break;
      case 'u': {
        unsigned code = 0;
        const char* first = json.data() + pos + 1;
        const char* last = first + std::min<std::size_t>(4, json.size() - pos - 1);
        if (std::from_chars(first, last, code, 16).ptr == last && last - first == 4) {
          AppendUtf8(text, static_cast<char32_t>(code));
          pos += 4;
        }
        break;
      }
      default:  // \" \\ \/
        text += escaped;
    }
  }
  return text;
}

}  // namespace

bool OperationResult::ok() const { return json == detail::JsonOk(); }

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

std::vector<OperationResult> PrintDocuments(CPrint& print, const PrintOutputs& outputs) {
  // The pictures and the logo are settings of the print, made before either
  // report runs; the pictures are the tool's own aid, not a host setting.
  // The print creates the pictures' folder: a folder that cannot be made is
  // that print's failure, reported in its result.
  print.SetLogo(outputs.logo);
  detail::State().png_folder = outputs.png_folder;
  std::vector<OperationResult> results;
  if (!outputs.cover.empty()) {
    results.push_back({"cover print", print.PrintPDFCaratula(outputs.cover)});
  }
  if (!outputs.continuation.empty()) {
    results.push_back({"continuation print", print.PrintPDFSubItems(outputs.continuation)});
  }
  return results;
}

std::string FailureMessage(const OperationResult& result) {
  return result.operation + " failed: " + JsonText(result.json, "errorMessage") +
         " (source: " + JsonText(result.json, "source") + ")";
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
