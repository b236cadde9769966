#include "GenerationOptions.hpp"

#include <CLI/CLI.hpp>

#include "ExitCode.hpp"

namespace tipolaria::cli {

void AddGenerationOptions(CLI::App& c, GenerationOptions& o, bool with_idorig) {
  if (with_idorig) {
    c.add_option("--idorig", o.idorig, "Reference printed on every page (default: --iddtext)");
  }
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
  c.add_option("--oper-date", o.oper_date,
               "Operation date dd/mm/yyyy for the catalogues (default: today)");
}

void PrepareDatabase(Session& print, const GenerationOptions& options) {
  try {
    if (options.oper_date) print.SetOperDate(*options.oper_date);
  } catch (const ComError& e) {
    Fail(kExitUsage, e);
  }
}

std::string Generate(Session& print, const GenerationOptions& o, const std::string& iddtext) {
  // The driver exists after Init or CleanIMP: this setting cannot fail.
  if (o.referencia_cliente) print.SetReferenciaCliente(*o.referencia_cliente);
  return print.GenerateIMP(o.nombre_despachante, iddtext, o.idorig, o.fecofi, o.oper, o.canal,
                           o.ramo, o.morado, o.org, o.eta);
}

}  // namespace tipolaria::cli
