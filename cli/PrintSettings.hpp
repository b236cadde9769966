// The settings a print takes from the command line: the page range, the copy
// number and the last page of the cover report. Shared by `generate`,
// `print` and `batch`.
#ifndef TIPOLARIA_CLI_PRINTSETTINGS_HPP_
#define TIPOLARIA_CLI_PRINTSETTINGS_HPP_

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>

#include "tipolaria/cprint.hpp"

namespace tipolaria::cli {

struct PrintSettings {
  std::optional<std::int16_t> desde;
  std::optional<std::int16_t> hasta;
  std::optional<std::int16_t> copias;
  std::optional<std::int16_t> caratula_hojas;
};

// --copias always; --desde, --hasta and --caratula-hojas when `with_range`
// (a batch prints whole declarations).
void AddPrintSettings(CLI::App& command, PrintSettings& settings, bool with_range);

// Sets the range and the driver settings given, as a host sets them before
// a generation or a print. A range not given starts as in a new process, so
// that every declaration of a batch starts alike. The settings need the
// driver that Init or CleanIMP made.
void ApplyPrintSettings(CPrint& print, const PrintSettings& settings);

// After the generation: without --hasta the prints run to the last page
// (the reports stop at the first page without rows).
void OpenRangeEnd(CPrint& print, const PrintSettings& settings);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_PRINTSETTINGS_HPP_
