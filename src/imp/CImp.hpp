// CImp: one print field a loader gathers for a page: its field number
// (Posicion, "5", "149"), the text to print (Valor), and a descriptive name
// for the reader of the code (Nombre), never written to IMP.
#ifndef TIPOLARIA_IMP_CIMP_HPP_
#define TIPOLARIA_IMP_CIMP_HPP_

#include <string>

namespace tipolaria {

struct CImp {
  std::string Posicion;
  std::string Valor;
  std::string Nombre;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_IMP_CIMP_HPP_
