#include "ImpCommands.hpp"

#include <iostream>
#include <memory>
#include <vector>

#include "CommandSession.hpp"
#include "ExitCode.hpp"
#include "ImpDump.hpp"

namespace tipolaria::cli {

void AddImpCommands(CLI::App& app) {
  CLI::App* imp = app.add_subcommand("imp", "Show the work table IMP");
  imp->require_subcommand(1);
  imp->footer(kExitCodesHelp);

  auto session_options = std::make_shared<SessionOptions>();
  CLI::App* dump = imp->add_subcommand(
      "dump",
      "Write the rows of IMP as tab-separated text (page, type, field, value), ordered by page, "
      "type and field; in values \\, tab, LF and CR are written \\\\, \\t, \\n and \\r, other "
      "control characters \\xHH, Null as \\N");
  AddSessionOptions(*dump, *session_options);
  dump->footer(kExitCodesHelp);
  dump->callback([session_options] {
    CommandSession session(*session_options);
    std::vector<Session::ImpRow> rows;
    try {
      rows = session.print().ReadImpRows();
    } catch (const ComError& e) {
      Fail(kExitDatabase, e);
    }
    WriteImpDump(rows, std::cout);
    if (!std::cout.flush()) Fail(kExitPrint, "imp dump: cannot write the rows to stdout");
  });
}

}  // namespace tipolaria::cli
