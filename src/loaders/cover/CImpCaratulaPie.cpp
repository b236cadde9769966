// The footer of the cover (with the declaration's settlement totals) and the
// save of the gathered fields as page 1.
#include "loaders/cover/CImpCaratula.hpp"
#include "loaders/fields/FooterFields.hpp"
#include "loaders/fields/LoaderSupport.hpp"

namespace tipolaria {

void CImpCaratula::CargarPie(const Recordset& header, std::int16_t oper, const std::string& canal,
                             const std::string& morado, const std::string& rotulo,
                             const std::string& ramo, const std::string& fecofi) {
  detail::CargarPie(Db(), page_, header, oper, canal, morado, rotulo, ramo, fecofi,
                    /*totales_declaracion=*/true);
}

bool CImpCaratula::GuardarDatos() {
  return detail::TrapCaratula("GuardarDatos", [&] {
    page_.Guardar(Db(), 1);
    return true;
  });
}

}  // namespace tipolaria
