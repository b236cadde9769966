// `tipolaria generate`: one print session through the public class. Opens the
// database, applies the settings given, generates one declaration's pages
// into IMP and prints each operation's JSON result on a line of its own. The
// exit status is 0 when every result is "OK", otherwise it names the kind
// of failure (ExitCode.hpp).
//
// Printing (PDF of the cover or continuation pages, page images) runs in the
// same session, after the generation: a component adds its options to
// command() and a step with AddStep.
#ifndef TIPOLARIA_CLI_GENERATECOMMAND_HPP_
#define TIPOLARIA_CLI_GENERATECOMMAND_HPP_

#include <CLI/CLI.hpp>

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tipolaria/cprint.hpp"

namespace tipolaria::cli {

struct GenerateOptions {
  std::string connection;
  std::string iddtext;
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
  std::optional<std::int16_t> copias;
  std::optional<std::int16_t> caratula_hojas;
  std::optional<std::int16_t> desde;
  std::optional<std::int16_t> hasta;
  std::optional<std::string> oper_date;
  std::int32_t lock_timeout = 60;
};

class GenerateCommand {
 public:
  // A step after a successful generation, in the same session: its JSON
  // result, or nothing when it has nothing to do (its option was not given).
  using Step = std::function<std::optional<std::string>(CPrint&)>;

  // Registers the subcommand on `app`; the object must outlive parsing (see
  // AddGenerateCommand).
  explicit GenerateCommand(CLI::App& app);
  GenerateCommand(const GenerateCommand&) = delete;
  GenerateCommand& operator=(const GenerateCommand&) = delete;

  CLI::App& command() { return *command_; }
  // Steps run in the order added, and stop at the first "ERR".
  void AddStep(Step step) { steps_.push_back(std::move(step)); }

  // The session; writes the JSON lines to `out` and returns the exit status.
  // Errors of Init and the settings have no JSON result: they are reported
  // on stderr and end the command with their exit status.
  int Run(std::ostream& out) const;

 private:
  CLI::App* command_;
  GenerateOptions options_;
  std::vector<Step> steps_;
};

// Adds `tipolaria generate` to `app`; `app` keeps the command alive. The
// result is for adding print options and steps.
std::shared_ptr<GenerateCommand> AddGenerateCommand(CLI::App& app);

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_GENERATECOMMAND_HPP_
