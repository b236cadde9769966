// The cover's item members: the first item of the declaration, printed on
// the cover, loaded with the item fields shared with the item pages.
#include "data/SqlText.hpp"
#include "loaders/cover/CImpCaratula.hpp"
#include "loaders/fields/ItemFields.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "loaders/fields/LoaderText.hpp"

namespace tipolaria {

void CImpCaratula::CargarDatosItem(const std::string& iddt, const std::string& impexp,
                                   std::int16_t oper, const std::string& cddtstudev,
                                   bool& liquidacion_impresa) {
  detail::TrapCaratula("CargarDatosItem", [&] {
    Recordset item;
    // The cover carries the item printed as 0001; the others get item pages.
    if (Db().GetRs("SELECT * FROM ART WHERE iddt = '" + DoubleQuotes(iddt) + "' AND NARTEXT='0001'",
                   item)) {
      ItemFields campos(Db(), page_, kPoliticaCaratula);
      campos.CargarCabItem(iddt, item);
      campos.CargarSufijos(iddt, item);
      campos.CargarInfoCpl(iddt, item);
      campos.CargarMontos(iddt, impexp, item);
      const std::string nart = detail::Texto(item, "nart");
      CargarLiquidacion(iddt, nart, oper, cddtstudev, liquidacion_impresa);
      campos.CargarLiqItem(iddt, liquidacion_impresa, nart, col_liq_);
    }
    item.Close();
  });
}

bool CImpCaratula::CargarLiqItem(const std::string& iddt, bool liquidacion_impresa,
                                 const std::string& nart) {
  return ItemFields(Db(), page_, kPoliticaCaratula)
      .CargarLiqItem(iddt, liquidacion_impresa, nart, col_liq_);
}

void CImpCaratula::CargarValorAduanaDivisa(const std::string& martbasdiv) {
  ItemFields(Db(), page_, kPoliticaCaratula).CargarValorAduanaDivisa(martbasdiv);
}

void CImpCaratula::CargarValorAduanaDolar(const std::string& martbasimp) {
  ItemFields(Db(), page_, kPoliticaCaratula).CargarValorAduanaDolar(martbasimp);
}

}  // namespace tipolaria
