// The arguments of a generation that the command line takes as options, and
// the generation itself: shared by `generate`, `batch` and `demo`.
#ifndef TIPOLARIA_CLI_GENERATIONOPTIONS_HPP_
#define TIPOLARIA_CLI_GENERATIONOPTIONS_HPP_

#include <cstdint>
#include <optional>
#include <string>

#include "tipolaria/session.hpp"

// The options' parser, declared only: the print service reads these
// structures from its requests and has no command line to parse.
namespace CLI {
class App;
}  // namespace CLI

namespace tipolaria::cli {

struct GenerationOptions {
  std::string idorig;
  std::string fecofi;
  std::int16_t oper = 0;
  std::string canal;
  std::string ramo;
  std::string morado;
  std::string org;
  std::string eta;
  std::string nombre_despachante;
  // Settings applied only when given.
  std::optional<std::string> referencia_cliente;
  std::optional<std::string> oper_date;
};

// The options of GenerationOptions; --idorig only when `with_idorig` (a
// batch prints each declaration under its own reference).
void AddGenerationOptions(CLI::App& command, GenerationOptions& options, bool with_idorig);

// The settings of the session's database: the operation date. A refused
// date ends the command with the usage status.
void PrepareDatabase(Session& print, const GenerationOptions& options);

// Generates the declaration `iddtext` with the options, after setting the
// client reference on the session's driver; the generation's JSON result.
std::string Generate(Session& print, const GenerationOptions& options, const std::string& iddtext);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_GENERATIONOPTIONS_HPP_
