// CTipolaria: the generation driver, and the record in which the component
// keeps the host's print settings and the parameters of the declaration
// being printed. The component holds exactly one (gDriver); Init and CleanIMP
// replace it, so every property starts at 0, empty text or false again.
//
// The driver owns no database: each operation is handed the component's one
// CDataBase (gDataBase) and passes it on to the loaders it creates, which live
// only during one CargarCampos. Every operation but DefineRotulo appends
// " - CTipolaria.<operation>" to the source of an error that leaves it.
#ifndef TIPOLARIA_CORE_CTIPOLARIA_HPP_
#define TIPOLARIA_CORE_CTIPOLARIA_HPP_

#include <cstdint>
#include <string>
#include <vector>

#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "imp/ImpTable.hpp"

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
  std::string Rotulo;               // document-state label of the footers
  bool LiquidacionImpresa = false;  // settlement-printed flag
  std::string ImpExp;
  std::string Idal;
  std::int32_t TotalHojas = 0;  // page counter; after a generation, the last page

  // Builds the document-state label of the footers from the kind of print
  // (estado) and, when given, the organism and the eta.
  void DefineRotulo(std::int16_t estado, const std::string& org, const std::string& eta);

  // Fills IMP with the pages of the declaration whose iddtext is `iddtext`:
  // empties the table, loads and saves the cover page, assembles the item and
  // continuation pages, then numbers every page and writes its header fields.
  // The header's reference is `idorig`, or `iddtext` when `idorig` is empty.
  // False, with IMP left empty, when DDT has no such declaration. TotalHojas
  // counts on from the value the driver holds (GenerateIMP sets it to 0
  // first).
  bool CargarCampos(CDataBase& db, const std::string& iddtext, const std::string& idorig,
                    const std::string& fec_ofi, const std::string& nombre_despachante);
  // "TRUNCATE TABLE IMP".
  void ClearImp(CDataBase& db);
  // Field c4 of pages 1 to `total`: "n de total", of type 1 after the pages of
  // type 0 (1 to `caratula_hojas`).
  void NumerarPaginas(CDataBase& db, std::int32_t total, std::int16_t caratula_hojas);
  // The page header of pages 1 to `total`: customs office (c1), official date
  // (c2), reference in groups (c3), ReferenciaCliente (cQOR1) and sub-regime
  // description (c149). Offices and sub-regimes are read as of the operation
  // date.
  void CargarEncabezados(CDataBase& db, const std::string& referencia, const std::string& ista,
                         const std::string& fec_ofi, const std::string& cddtbur, std::int32_t total,
                         std::int16_t caratula_hojas);

 private:
  // IMP rows, in order, in one request; exactly empty text writes nothing.
  void EjecutarInsertImp(CDataBase& db, const std::vector<ImpRow>& rows);
  // The pages between the cover's load and its save: item pages and
  // continuation pages. Sets CaratulaHojas and leaves TotalHojas at the last
  // page written.
  void ArmarItemsYContinuacion(CDataBase& db, const Recordset& header, const std::string& iddt,
                               const std::string& fec_ofi);
};

}  // namespace tipolaria

#endif  // TIPOLARIA_CORE_CTIPOLARIA_HPP_
