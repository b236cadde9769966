// What a print writes: the PDF of the cover and item pages, the PDF of the
// continuation pages, a PNG picture of every printed page, and the logo
// drawn on the pages. Shared by `generate`, `print`, `batch` and `demo`:
// every command prints through PrintDocuments, and reports the operations'
// results through WriteResults.
#ifndef TIPOLARIA_CLI_PRINTOPTIONS_HPP_
#define TIPOLARIA_CLI_PRINTOPTIONS_HPP_

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "tipolaria/session.hpp"

namespace tipolaria::cli {

struct PrintOutputs {
  std::string cover;         // empty: not printed
  std::string continuation;  // empty: not printed
  std::string png_folder;    // empty: no pictures
  std::string logo;          // empty: no logo
};

// The JSON result of one operation of the session, what the operation was,
// for its message ("generation", "cover print", "continuation print"), and
// the error behind a failure.
struct OperationResult {
  std::string operation;
  std::string json;
  std::optional<ComError> failure;

  bool ok() const;
};

// The result of `operation`, which has just returned `json` in `print`.
OperationResult ResultOf(Session& print, std::string operation, std::string json);

// --cover and --continuation.
void AddDocumentOptions(CLI::App& command, PrintOutputs& outputs);
// --png and --logo.
void AddPictureOptions(CLI::App& command, PrintOutputs& outputs);

// Prints the documents named in `outputs` in the session, the cover first,
// and returns their results. A failed cover print does not keep the
// continuation from being printed: the two documents are independent.
std::vector<OperationResult> PrintDocuments(Session& print, const PrintOutputs& outputs);

// The one-line message of a failed result: "OPERATION failed: description
// (source: source)", the source as its JSON shows it.
std::string FailureMessage(const OperationResult& result);

// Writes each JSON result on a line of `out`, and the message of each
// failure on a line of stderr; the exit status of the results: OK, or
// `failure` when one is "ERR".
int WriteResults(const std::vector<OperationResult>& results, int failure, std::ostream& out);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_PRINTOPTIONS_HPP_
