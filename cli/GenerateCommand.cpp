#include "GenerateCommand.hpp"

#include <iostream>
#include <limits>
#include <string_view>

#include "ExitCode.hpp"
#include "api/ComponentState.hpp"

namespace tipolaria::cli {
namespace {

constexpr std::string_view kOk = R"({"Result": "OK"})";

// Ends the session however it ends, so the connection is closed.
class Session {
 public:
  Session() = default;
  ~Session() {
    try {
      print_.Finalize();
    } catch (...) {
    }
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  CPrint& print() { return print_; }

 private:
  CPrint print_;
};

}  // namespace

GenerateCommand::GenerateCommand(CLI::App& app)
    : command_(app.add_subcommand(
          "generate", "Generate one declaration's pages into the work table IMP, and print them")) {
  GenerateOptions& o = options_;
  CLI::App& c = *command_;
  c.add_option("--connection,-c", o.connection, "Connection string (sqlite:PATH, ...)")->required();
  c.add_option("--iddtext", o.iddtext, "The declaration (DDT.iddtext)")->required();
  c.add_option("--idorig", o.idorig, "Reference printed on every page (default: --iddtext)");
  c.add_option("--fecofi", o.fecofi, "Official date text");
  c.add_option("--oper", o.oper, "0 provisional, 1 official, 4 reprint, 5 post-shipment")
      ->check(CLI::IsMember({0, 1, 4, 5}));
  c.add_option("--canal", o.canal, "Channel");
  c.add_option("--ramo", o.ramo, "Heading");
  c.add_option("--morado", o.morado, "Purple-channel text");
  c.add_option("--org", o.org, "Organism of the document-state label");
  c.add_option("--eta", o.eta, "Stage of the document-state label (needs --org)");
  c.add_option("--nombre-despachante", o.nombre_despachante, "Customs broker's name");
  c.add_option("--referencia-cliente", o.referencia_cliente, "Client reference on every page");
  c.add_option("--copias", o.copias, "Copy number printed on the pages");
  c.add_option("--caratula-hojas", o.caratula_hojas, "Pages of the cover report");
  c.add_option("--desde", o.desde, "First page of the print range");
  c.add_option("--hasta", o.hasta, "Last page of the print range (default: the last page)");
  c.add_option("--oper-date", o.oper_date,
               "Operation date dd/mm/yyyy for the catalogues (default: today)");
  c.add_option("--lock-timeout", o.lock_timeout,
               "Seconds to wait while another session generates or prints on the database "
               "(default: 60)")
      ->check(CLI::NonNegativeNumber);
  c.footer(kExitCodesHelp);
}

int GenerateCommand::Run(std::ostream& out) const {
  const GenerateOptions& o = options_;
  Session session;
  CPrint& print = session.print();
  // A wait for another session is said on stderr, so that nobody stares at
  // a silent tool.
  detail::State().lock_wait_notice = [](const std::string& message) {
    std::cerr << "tipolaria: " << message << std::endl;
  };
  try {
    print.Init(o.connection);
  } catch (const ComError& e) {
    Fail(kExitDatabase, e);
  }
  try {
    print.SetLockTimeout(o.lock_timeout);
    if (o.oper_date) print.SetOperDate(*o.oper_date);
    if (o.desde) print.SetHojaDesde(*o.desde);
    if (o.hasta) print.SetHojaHasta(*o.hasta);
    if (o.copias) print.SetCopias(*o.copias);
    if (o.caratula_hojas) print.SetCaratulaHojas(*o.caratula_hojas);
    if (o.referencia_cliente) print.SetReferenciaCliente(*o.referencia_cliente);
  } catch (const ComError& e) {
    Fail(kExitUsage, e);
  }

  std::string result = print.GenerateIMP(o.nombre_despachante, o.iddtext, o.idorig, o.fecofi,
                                         o.oper, o.canal, o.ramo, o.morado, o.org, o.eta);
  out << result << std::endl;
  if (result != kOk) return kExitGeneration;
  // Without --hasta the prints run to the last page generated: the reports
  // stop at the first page without rows.
  if (!o.hasta) print.SetHojaHasta(std::numeric_limits<std::int16_t>::max());
  for (const Step& step : steps_) {
    if (std::optional<std::string> step_result = step(print)) {
      out << *step_result << std::endl;
      if (*step_result != kOk) return kExitPrint;
    }
  }
  return kExitOk;
}

std::shared_ptr<GenerateCommand> AddGenerateCommand(CLI::App& app) {
  auto command = std::make_shared<GenerateCommand>(app);
  // The subcommand's callback owns the command (and the variables its options
  // write to) for as long as `app` holds the subcommand.
  command->command().callback([self = command] {
    const int status = self->Run(std::cout);
    if (status != 0) throw CLI::RuntimeError(status);
  });
  return command;
}

}  // namespace tipolaria::cli
