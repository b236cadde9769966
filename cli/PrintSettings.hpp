// The settings a print takes from the command line: the page range, the copy
// number and the last page of the cover report. Shared by `generate`,
// `print` and `batch`.
#ifndef TIPOLARIA_CLI_PRINTSETTINGS_HPP_
#define TIPOLARIA_CLI_PRINTSETTINGS_HPP_

#include <cstdint>
#include <optional>

#include "tipolaria/session.hpp"

// The options' parser, declared only: the print service reads these
// structures from its requests and has no command line to parse.
namespace CLI {
class App;
}  // namespace CLI

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

// Sets the driver settings given, as a host sets them before a generation
// or a print, and the range as in a new process, so that every declaration
// of a batch starts alike. The settings need the driver that Init or
// CleanIMP made.
void ApplyPrintSettings(Session& print, const PrintSettings& settings);

// Sets the range asked for, once the pages to print are known (after the
// generation, or the read of IMP): from --desde, or the first page, to
// --hasta, or the last. Each print then clamps it against those pages as the
// component does, so that `generate` and `print` print the same pages for
// the same range. Set before the generation, it would be clamped against no
// pages at all.
void ApplyPrintRange(Session& print, const PrintSettings& settings);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_PRINTSETTINGS_HPP_
