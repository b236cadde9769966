// CImpCaratula: the cover-page loader. It gathers every printable value of
// the cover page of one declaration (parties, transport, the first item, the
// tax settlement, the footer) into its field list, formatted as text, and
// stores them as IMP rows of page 1. The driver creates one per generation
// and hands it the CDataBase it shares (not owned).
//
// The class is split by concern over several source files: the header and
// its field loaders, the reference lookups, the first item, the settlement
// and the footer with the page save.
#ifndef TIPOLARIA_LOADERS_COVER_CIMPCARATULA_HPP_
#define TIPOLARIA_LOADERS_COVER_CIMPCARATULA_HPP_

#include <cstdint>
#include <string>
#include <vector>

#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "imp/CColImp.hpp"

namespace tipolaria {

class CImpCaratula {
 public:
  // Sets the data-access object; must come before any load.
  void BaseDeDatos(CDataBase& db) { db_ = &db; }
  // The settlement index: one entry per printed settlement concept.
  const std::vector<std::string>& GetColLiq() const { return col_liq_; }
  // The fields gathered so far, in the order added.
  const CColImp& Campos() const { return campos_; }

  // Header fields 5 to 37 from the declaration's DDT row. Always false.
  bool CargarCabecera(const Recordset& header, std::int16_t oper,
                      const std::string& nombre_despachante);
  // The first item and, through it, the tax settlement. Always false.
  bool CargarDatosItem(const std::string& iddt, const std::string& impexp, std::int16_t oper,
                       const std::string& cddtstudev, bool& liquidacion_impresa);
  // The footer: channel, heading, settlement totals. Always false.
  bool CargarPie(const Recordset& header, std::int16_t oper, const std::string& canal,
                 const std::string& morado, const std::string& rotulo, const std::string& ramo,
                 const std::string& fecofi);
  // Stores the gathered fields as page 1 in one transaction.
  bool GuardarDatos();

 private:
  CDataBase* db_ = nullptr;
  CColImp campos_;
  std::vector<std::string> col_liq_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_LOADERS_COVER_CIMPCARATULA_HPP_
