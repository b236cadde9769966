// CImpCaratula: the cover-page loader. It gathers every printable value of
// the cover page of one declaration (parties, transport, the first item, the
// tax settlement, the footer) into its field list, formatted as text, and
// stores them as IMP rows of page 1. The driver creates one per generation
// and hands it the CDataBase it shares (not owned).
//
// The cover's own parts are here: the declaration header and its field
// loaders (CImpCaratula.cpp, CImpCaratulaTextos.cpp), the declaration level
// of the settlement (CImpCaratulaLiquidacion.cpp), the item and footer
// members (CImpCaratulaItem.cpp, CImpCaratulaPie.cpp). What the item pages
// share with it is in src/loaders/fields: the item's fields (ItemFields), the
// footer (FooterFields), the reference lookups (ReferenceLookups); the page
// under construction is PageFields.
//
// Every procedure traps errors: an error leaving it carries
// " - CImpCaratula.<procedure>" appended to its source, so the driver sees
// the whole path it came through.
#ifndef TIPOLARIA_LOADERS_COVER_CIMPCARATULA_HPP_
#define TIPOLARIA_LOADERS_COVER_CIMPCARATULA_HPP_

#include <cstdint>
#include <string>
#include <vector>

#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "imp/CColImp.hpp"
#include "imp/PageFields.hpp"

namespace tipolaria {

class CImpCaratula {
 public:
  // Sets the data-access object; must come before any load.
  void BaseDeDatos(CDataBase& db) { db_ = &db; }
  // The settlement index: one entry per printed settlement concept, the tax
  // code padded to 10 characters followed by the concept's field number.
  const std::vector<std::string>& GetColLiq() const { return col_liq_; }
  // The fields gathered so far, in the order added.
  const CColImp& Campos() const { return page_.Campos(); }

  // Header fields 5 to 37 from the declaration's DDT row. `oper` is not used
  // by the header.
  void CargarCabecera(const Recordset& header, std::int16_t oper,
                      const std::string& nombre_despachante);
  // The first item (nartext 0001) and, through it, the tax settlement.
  void CargarDatosItem(const std::string& iddt, const std::string& impexp, std::int16_t oper,
                       const std::string& cddtstudev, bool& liquidacion_impresa);
  // The declaration level of the settlement (public name
  // "CargarLiquidaciónes"): concepts in fields 74 to 140, overflow marks in
  // 146 to 148. Sets `liquidacion_impresa` to false when it skips. True.
  bool CargarLiquidacion(const std::string& iddt, const std::string& nart, std::int16_t oper,
                         const std::string& cddtstudev, bool& liquidacion_impresa);
  // The item level of the settlement beside the concepts, and the item
  // totals 131 to 133. True.
  bool CargarLiqItem(const std::string& iddt, bool liquidacion_impresa, const std::string& nart);
  // The footer: channel, heading, settlement totals.
  void CargarPie(const Recordset& header, std::int16_t oper, const std::string& canal,
                 const std::string& morado, const std::string& rotulo, const std::string& ramo,
                 const std::string& fecofi);
  // Stores the gathered fields as page 1 in one transaction; on an error no
  // row of the save remains. True.
  bool GuardarDatos();

  void CargarValorAduanaDivisa(const std::string& martbasdiv);
  void CargarValorAduanaDolar(const std::string& martbasimp);

 private:
  CDataBase& Db() const;
  // Appends one field; `campo` is the field number.
  void Agregar(std::string nombre, std::string valor, int campo);

  // Header field loaders (fields 5 to 37) with more than one column or more
  // than one field; the others are rows of a table (CImpCaratula.cpp).
  void CargarImpExp(const std::string& nombre, const std::string& condicion_iva);
  void CargarIdManifiesto(const std::string& iddt, const std::string& idso);
  void CargarDeposito(const std::string& aduana, const std::string& deposito);
  void CargarMotivo(const std::string& numero, const std::string& motivo);
  void CargarGarantias(const std::string& iddt);
  void CargarInfoComplementaria(const std::string& iddt);

  // Settlement: one concept of the declaration level, recorded in the index.
  void AgregarConcepto(const std::string& codigo, const std::string& concepto,
                       const std::string& tipo, const Value& monto, int& p);

  CDataBase* db_ = nullptr;
  PageFields page_;
  std::vector<std::string> col_liq_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_LOADERS_COVER_CIMPCARATULA_HPP_
