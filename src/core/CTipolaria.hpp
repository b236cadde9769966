// CTipolaria: the generation driver, and the record in which the component
// keeps the host's print settings and the parameters of the declaration
// being printed. The component holds exactly one (gDriver); Init and CleanIMP
// replace it, so every property starts at 0, empty text or false again.
#ifndef TIPOLARIA_CORE_CTIPOLARIA_HPP_
#define TIPOLARIA_CORE_CTIPOLARIA_HPP_

#include <cstdint>
#include <string>

namespace tipolaria {

class CTipolaria {
 public:
  // Properties. They carry no checks: any value of the type is stored.
  std::int16_t CaratulaHojas = 0;  // last page of type 0 (cover plus item pages)
  std::int16_t NumeroCopias = 0;   // copy number the layouts print
  std::string ReferenciaCliente;   // written on every page as cQOR1
  std::int16_t Copias = 0;         // the host's copies setting
  std::int16_t Oper = 0;           // 0 provisional, 1 official, 4 reprint, 5 post-shipment
  std::string Canal;
  std::string Ramo;
  std::string Morado;
  std::string IdOrig;
  std::string Iddtext;
  std::string FecOfi;
  std::string Rotulo;               // document-state label of the footers
  bool LiquidacionImpresa = false;  // settlement-printed flag
  std::string ImpExp;
  std::string Idal;
  std::int16_t CancelacionesDesde = 0, CancelacionesHasta = 0;
  std::int16_t SubitemsDesde = 0, SubitemsHasta = 0;
  std::int16_t TercerosDesde = 0, TercerosHasta = 0;
  std::int16_t IBrutosDesde = 0, IBrutosHasta = 0;
  std::int16_t InfoCatalogadaDesde = 0, InfoCatalogadaHasta = 0;
  std::int16_t CuposDesde = 0, CuposHasta = 0;
  std::int16_t CtcDesde = 0, CtcHasta = 0;
  std::int16_t KDSCDesde = 0, KDSCHasta = 0;
  std::int32_t TotalHojas = 0;  // page counter; after a generation, the last page

  // Builds the document-state label of the footers from the kind of print
  // (estado) and, when given, the organism and the eta.
  void DefineRotulo(std::int16_t estado, const std::string& org, const std::string& eta);
};

}  // namespace tipolaria

#endif  // TIPOLARIA_CORE_CTIPOLARIA_HPP_
