// CImpComp: the continuation-page loader. Its section loaders gather finished
// text lines, already padded and aligned, into nine section collections
// (cancelled declarations, sub-items, third parties, gross-income tax,
// catalogued information, quotas, technical certificates, descriptions,
// complementary information); GuardarDatos then writes every non-empty section
// on pages of type 1 of IMP, 61 lines a page (fields c5 to c65), each section
// from a fresh page, and records the first and last page of each; CargarPie
// writes the footer c150 of those pages. The driver creates one per generation
// and hands it the CDataBase it shares (not owned).
//
// The class is split over several source files: the framework and page model
// (CImpComp.cpp), the cancelled declarations (CImpCompCancelaciones.cpp), the
// sub-items (CImpCompSubItems.cpp), the third parties, complementary
// information and descriptions (CImpCompTextos.cpp), the gross-income tax
// (CImpCompIBrutos.cpp) and the catalogued information, quotas and technical
// certificates (CImpCompCatalogo.cpp).
//
// The loaders trap errors: an error leaving one carries " - CImpComp.<name>"
// appended to its source, except GuardarDatos, which appends
// " - CImpCaratula.GuardarDatos" (the source hosts have always seen for this
// save), and CargarIdal, which has no trap. Page numbers never wrap: a page
// past the 16-bit range is an overflow error.
#ifndef TIPOLARIA_LOADERS_COMPLEMENTARY_CIMPCOMP_HPP_
#define TIPOLARIA_LOADERS_COMPLEMENTARY_CIMPCOMP_HPP_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "imp/CColImp.hpp"
#include "imp/ImpTable.hpp"

namespace tipolaria {

class CImpComp {
 public:
  // The sections in the order GuardarDatos writes them.
  enum Seccion {
    kCancelaciones,
    kSubitems,
    kTerceros,
    kIBrutos,
    kInfoCatalogada,
    kCupos,
    kCtc,
    kKdsc,
    kCpl,
    kSecciones
  };

  // Sets the data-access object; must come before any load.
  void BaseDeDatos(CDataBase& db) { db_ = &db; }

  // Section loaders. `iddt` is the declaration's DDT id, `nart` an item
  // number ("0001"). Each appends to its own section, nothing when its
  // queries find no rows; the Boolean results (true unless said otherwise)
  // are not examined by the driver.
  void CargarIdal(const std::string& iddt, const std::string& idal);
  bool CargarCancelaciones(const std::string& iddt, const std::string& nart);
  bool CargarSubItems(const std::string& iddt, const std::string& nart);
  // False when the declaration has no third parties.
  bool CargarTerceros(const std::string& iddt);
  bool CargarCPL(const std::string& iddt);
  bool CargarDescripciones(const std::string& iddt, const std::string& nart);
  void CargarIBrutos(const std::string& iddt);
  bool CargarCodProd(const std::string& iddt, const std::string& nart);
  // `acuerdo` is the item's Lista.
  bool CargarCupos(const std::string& iddt, const std::string& nart, const std::string& acuerdo);
  bool CargarCTC(const std::string& iddt, const std::string& nart);

  // Writes the non-empty sections in one transaction from page `pagina` + 1
  // on and leaves in `pagina` the last page written (unchanged when every
  // section is empty). On an error nothing of it remains and `pagina` keeps
  // its value. True.
  bool GuardarDatos(std::int32_t& pagina);
  // Writes `texto` (even empty) as field c150 of pages `desde` + 1 to `hasta`.
  // True.
  bool CargarPie(const std::string& texto, std::int32_t hasta, std::int16_t desde);

  // The page ranges of the sections; 0 and 0 for a section left empty.
  std::int16_t CancelacionesDesde() const { return desde_[kCancelaciones]; }
  std::int16_t CancelacionesHasta() const { return hasta_[kCancelaciones]; }
  std::int16_t SubitemsDesde() const { return desde_[kSubitems]; }
  std::int16_t SubitemsHasta() const { return hasta_[kSubitems]; }
  std::int16_t TercerosDesde() const { return desde_[kTerceros]; }
  std::int16_t TercerosHasta() const { return hasta_[kTerceros]; }
  std::int16_t IBrutosDesde() const { return desde_[kIBrutos]; }
  std::int16_t IBrutosHasta() const { return hasta_[kIBrutos]; }
  std::int16_t InfoCatalogadaDesde() const { return desde_[kInfoCatalogada]; }
  std::int16_t InfoCatalogadaHasta() const { return hasta_[kInfoCatalogada]; }
  std::int16_t CuposDesde() const { return desde_[kCupos]; }
  std::int16_t CuposHasta() const { return hasta_[kCupos]; }
  std::int16_t CtcDesde() const { return desde_[kCtc]; }
  std::int16_t CtcHasta() const { return hasta_[kCtc]; }
  std::int16_t KDSCDesde() const { return desde_[kKdsc]; }
  std::int16_t KDSCHasta() const { return hasta_[kKdsc]; }

  // The lines gathered so far for a section, in the order added.
  const CColImp& Lineas(Seccion seccion) const { return secciones_[seccion]; }

 private:
  CDataBase& Db() const;
  // Appends one line to a section; `numero` is the loader's running line
  // number, kept as the line's Posicion (it does not place the line).
  void Agregar(Seccion seccion, std::string nombre, std::string valor, int numero);
  // The item's ART row into `art`, narrowed by `condiciones` ({"cartsbitem",
  // "S"}); false without one.
  bool ReadItemRow(const std::string& iddt, const std::string& nart,
                   const std::vector<ItemCondition>& condiciones, Recordset& art) const;

  // Lays out one section's lines from page `pagina` on, from field c5, as
  // rows appended to `rows`, and leaves `pagina` at the last page they take.
  void InsrtImp(std::int32_t& pagina, const CColImp& lineas, std::vector<ImpRow>& rows);
  // The rows in order, in one request; exactly empty text writes nothing.
  void EjecutarInsertImp(const std::vector<ImpRow>& rows);

  // Cancelled declarations.
  // The section's heading (when `linea` is 5) and the DCN column header.
  void TituloCancelaciones(int linea, const std::string& nart);
  // The AFI heading: the section's title when no DCN row came first.
  void TituloAfi(int linea);

  // Titles of the catalogued information, quotas and certificates.
  std::string TituloCodProd(const std::string& nart, const std::string& isbt) const;
  std::string TituloCupos(const std::string& nart, const std::string& acuerdo) const;
  std::string TituloCTC(const std::string& nart) const;

  CDataBase* db_ = nullptr;
  std::array<CColImp, kSecciones> secciones_;
  // Signed 16-bit, as the original kept them: a section starting or ending
  // past page 32767 is an overflow. The pair of the complementary
  // information is kept but not exposed.
  std::array<std::int16_t, kSecciones> desde_{};
  std::array<std::int16_t, kSecciones> hasta_{};
};

}  // namespace tipolaria

#endif  // TIPOLARIA_LOADERS_COMPLEMENTARY_CIMPCOMP_HPP_
