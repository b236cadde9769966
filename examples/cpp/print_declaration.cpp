// Generates one declaration and prints its two documents, in a session of
// its own:
//   print_declaration DATABASE IDDTEXT OUTPUT_FOLDER
// The operations that fail return their JSON text instead of raising; the
// settings raise tipolaria::ComError. A program that prints several
// declarations at once gives each thread a Session.
#include <iostream>
#include <string>

#include "tipolaria/error.hpp"
#include "tipolaria/session.hpp"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: print_declaration DATABASE IDDTEXT OUTPUT_FOLDER\n";
    return 2;
  }
  const std::string folder = argv[3];
  tipolaria::Session print;
  try {
    print.Init(std::string("sqlite:") + argv[1]);
    print.SetOperDate("05/12/2026");  // the catalogues as of this day
    print.SetHojaHasta(32767);        // every page
    print.SetReferenciaCliente("PO-4471/2026");
  } catch (const tipolaria::ComError& e) {
    std::cerr << e.source() << ": " << e.description() << "\n";
    return 1;
  }
  int status = 0;
  for (const std::string& result :
       {print.GenerateIMP("O'BRIEN, JUAN PATRICIO", argv[2], "", "05/12/2026 10:42:17", 1, "R", "",
                          "", "ADUANA DE BUENOS AIRES", ""),
        print.PrintPDFCaratula(folder + "/cover.pdf"),
        print.PrintPDFSubItems(folder + "/continuation.pdf")}) {
    std::cout << result << "\n";
    if (result != tipolaria::kJsonOk) status = 1;
  }
  return status;  // the session closes its connection when it goes
}
