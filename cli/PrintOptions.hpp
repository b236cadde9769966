// What a print writes: the PDF of the cover and item pages, the PDF of the
// continuation pages, a PNG picture of every printed page, and the logo
// drawn on the pages. Shared by `generate`, `print`, `batch` and `demo`:
// every command prints through PrintDocuments.
#ifndef TIPOLARIA_CLI_PRINTOPTIONS_HPP_
#define TIPOLARIA_CLI_PRINTOPTIONS_HPP_

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <string>
#include <vector>

#include "tipolaria/cprint.hpp"

namespace tipolaria::cli {

struct PrintOutputs {
  std::string cover;         // empty: not printed
  std::string continuation;  // empty: not printed
  std::string png_folder;    // empty: no pictures
  std::string logo;          // empty: no logo
};

// --cover and --continuation.
void AddDocumentOptions(CLI::App& command, PrintOutputs& outputs);
// --png and --logo.
void AddPictureOptions(CLI::App& command, PrintOutputs& outputs);

// Prints the documents named in `outputs` in the session, the cover first,
// and returns their JSON results; stops after the first "ERR".
std::vector<std::string> PrintDocuments(CPrint& print, const PrintOutputs& outputs);

// The JSON result of a successful operation.
bool IsOk(const std::string& result);

// Writes each result on a line of `out`; the exit status of the results:
// OK, or `failure` when one is "ERR".
int WriteResults(const std::vector<std::string>& results, int failure, std::ostream& out);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_PRINTOPTIONS_HPP_
