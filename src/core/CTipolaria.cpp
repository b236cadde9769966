#include "core/CTipolaria.hpp"

#include "runtime/Strings.hpp"

namespace tipolaria {

void CTipolaria::DefineRotulo(std::int16_t estado, const std::string& org, const std::string& eta) {
  switch (estado) {
    case 0:
      Rotulo = "TIPOLARIA PROVISORIA";
      break;
    case 1:
      Rotulo = "OFICIALIZADO";
      break;
    case 4:
      Rotulo = "RETIPOLARIA";
      break;
    case 5:
      Rotulo = "POSTEMBARQUE";
      break;
    default:
      break;  // any other state leaves the label as it was
  }
  // An eta is shown only after an org; the org is cut untrimmed.
  if (!Trim(org).empty()) {
    Rotulo += " - " + Left(org, 20);
    if (!Trim(eta).empty()) Rotulo += " - " + eta;
  }
}

}  // namespace tipolaria
