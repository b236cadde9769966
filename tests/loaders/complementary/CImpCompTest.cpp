// The page model of the continuation pages: sections on pages of 61 lines,
// their ranges, the one transaction, the 16-bit page bound and the footer.
#include "loaders/complementary/CImpComp.hpp"

#include <gtest/gtest.h>

#include "runtime/Trap.hpp"
#include "support/ErrorNumber.hpp"
#include "support/FaultyBackend.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

using testing::Fault;
using testing::OpenFaulty;
using testing::TestDatabase;

// Past page 32767 the overflow says what overflowed.
constexpr const char* kTooManyPages =
    "Overflow: the declaration has more pages than the form can number (at most 32767)";

// `dcn` cancelled declarations of item 0001 (4 + dcn lines) and `trc` third
// parties (6 + 4 trc lines) of declaration P.
void Contenido(const TestDatabase& tdb, int dcn, int trc) {
  tdb.Run("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
          std::to_string(dcn) +
          ") INSERT INTO DCN (idcn, ndcnart, IDCNAPU, NDCNARTAPU, qdcnapu) "
          "SELECT 'P', '0001', printf('25001IC04%07d', i), i, i FROM n WHERE " +
          std::to_string(dcn) + " > 0;");
  for (int i = 0; i < trc; ++i) tdb.Run("INSERT INTO TRC (iddt, ltrcnombre) VALUES ('P', 'X');");
}

void Cargar(CImpComp& comp, CDataBase& db, const std::string& idal = "") {
  comp.BaseDeDatos(db);
  comp.CargarIdal("P", idal);
  comp.CargarCancelaciones("P", "0001");
  comp.CargarSubItems("P", "0001");
  comp.CargarTerceros("P");
}

// Each continuation page as "page:first field-last field:rows"; rows equal to
// the span of fields means no gap.
std::vector<std::string> Paginas(const TestDatabase& tdb) {
  return tdb.Column(
      "SELECT nro_hoja || ':c' || min(CAST(substr(nro_campo, 2) AS INTEGER)) || '-c' || "
      "max(CAST(substr(nro_campo, 2) AS INTEGER)) || ':' || count(*) FROM IMP WHERE tipo = 1 "
      "GROUP BY nro_hoja ORDER BY nro_hoja");
}

TEST(CImpCompTest, SectionsFillPagesOfSixtyOneLinesEachFromAFreshPage) {
  struct Caso {
    std::int32_t ultima;
    int dcn, trc;
    const char* idal;
    std::vector<std::string> paginas;
    std::int16_t cancelaciones_desde, cancelaciones_hasta, terceros_desde, terceros_hasta;
    std::int32_t p;
  } casos[] = {
      // 70 cancellation lines, no sub-items, 10 third-party lines.
      {3, 66, 1, "", {"4:c5-c65:61", "5:c5-c13:9", "6:c5-c14:10"}, 4, 5, 6, 6, 6},
      {3, 57, 1, "", {"4:c5-c65:61", "5:c5-c14:10"}, 4, 4, 5, 5, 5},
      {3, 58, 1, "", {"4:c5-c65:61", "5:c5-c5:1", "6:c5-c14:10"}, 4, 5, 6, 6, 6},
      {1, 196, 0, "", {"2:c5-c65:61", "3:c5-c65:61", "4:c5-c65:61", "5:c5-c21:17"}, 2, 5, 0, 0, 5},
      // The blank idal line takes no field: 65 of 66 lines are written.
      {3, 57, 0, "   ", {"4:c5-c65:61", "5:c5-c8:4"}, 4, 5, 0, 0, 5},
      {1, 0, 1, "", {"2:c5-c14:10"}, 0, 0, 2, 2, 2},
      {3, 0, 0, "", {}, 0, 0, 0, 0, 3},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(std::to_string(caso.dcn) + " DCN rows, " + std::to_string(caso.trc) + " TRC");
    TestDatabase tdb;
    Contenido(tdb, caso.dcn, caso.trc);
    auto db = tdb.Open();
    CImpComp comp;
    Cargar(comp, *db, caso.idal);
    std::int32_t p = caso.ultima;
    EXPECT_TRUE(comp.GuardarDatos(p));
    EXPECT_EQ(p, caso.p);
    EXPECT_EQ(Paginas(tdb), caso.paginas);
    EXPECT_EQ(comp.CancelacionesDesde(), caso.cancelaciones_desde);
    EXPECT_EQ(comp.CancelacionesHasta(), caso.cancelaciones_hasta);
    EXPECT_EQ(comp.TercerosDesde(), caso.terceros_desde);
    EXPECT_EQ(comp.TercerosHasta(), caso.terceros_hasta);
    EXPECT_EQ(comp.SubitemsDesde() + comp.SubitemsHasta(), 0);
  }
}

TEST(CImpCompTest, EverySectionIsWrittenInItsOrderWithQuotesIntact) {
  TestDatabase tdb;
  tdb.RunScript("decl_continuacion.sql");
  auto db = tdb.Open();
  CImpComp comp;
  comp.BaseDeDatos(*db);
  // Loaded in another order than they are written.
  comp.CargarCPL("C1");
  comp.CargarDescripciones("C1", "0001");
  comp.CargarCTC("C1", "0001");
  std::string acuerdo;
  comp.CargarCupos("C1", "0001", acuerdo);
  comp.CargarCodProd("C1", "0001");
  comp.CargarIBrutos("C1");
  comp.CargarTerceros("C1");
  comp.CargarSubItems("C1", "0001");
  comp.CargarCancelaciones("C1", "0001");
  std::int32_t p = 1;
  comp.GuardarDatos(p);
  EXPECT_EQ(p, 10);
  const CImpComp& c = comp;
  const auto rangos = std::vector<std::int16_t>(
      {c.CancelacionesDesde(), c.CancelacionesHasta(), c.SubitemsDesde(), c.SubitemsHasta(),
       c.TercerosDesde(), c.TercerosHasta(), c.IBrutosDesde(), c.IBrutosHasta(),
       c.InfoCatalogadaDesde(), c.InfoCatalogadaHasta(), c.CuposDesde(), c.CuposHasta(),
       c.CtcDesde(), c.CtcHasta(), c.KDSCDesde(), c.KDSCHasta()});
  EXPECT_EQ(rangos, (std::vector<std::int16_t>{2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9}));
  EXPECT_EQ(tdb.Column("SELECT nro_hoja || ' ' || nro_campo FROM IMP WHERE valor LIKE '%BRIEN%'"),
            std::vector<std::string>{"4 c11"});
  EXPECT_EQ(tdb.Column("SELECT valor FROM IMP WHERE nro_hoja = 4 AND nro_campo = 'c11'"),
            std::vector<std::string>{"Nombre:  O'BRIEN LOGÍSTICA S.R.L."});
  EXPECT_EQ(tdb.Column("SELECT count(*) FROM IMP WHERE nro_hoja = 10 AND tipo = 1"),
            std::vector<std::string>{"6"});
}

TEST(CImpCompTest, AFailedWriteLeavesNoContinuationRowAndReportsItsPath) {
  TestDatabase tdb;
  Contenido(tdb, 66, 1);
  testing::FaultyBackend* backend = nullptr;
  // The first row of the third parties, after both pages of cancellations.
  auto db = OpenFaulty(tdb.connection(), Fault{"VALUES (6, 1, 'c5'", 1}, &backend);
  CImpComp comp;
  Cargar(comp, *db);
  std::int32_t p = 3;
  EXPECT_EQ(RaisedError([&] { comp.GuardarDatos(p); }).source(),
            "FaultyBackend - CDataBase.ExecuteSQL - CImpComp.EjecutarInsertImp"
            " - CImpComp.InsrtImp - CImpCaratula.GuardarDatos");
  EXPECT_EQ(backend->log().back(), "ROLLBACK");
  EXPECT_TRUE(Paginas(tdb).empty());
  EXPECT_EQ(p, 3);
  EXPECT_EQ(comp.CancelacionesHasta(), 5);  // ranges set before the failure stay
}

TEST(CImpCompTest, PagesPastTheSixteenBitRangeAreAnOverflowNeverAWrappedNumber) {
  struct Caso {
    std::int32_t ultima;
    int dcn, trc;
    long error;
    std::vector<std::string> paginas;
    std::int16_t cancelaciones_desde, terceros_desde;
  } casos[] = {
      {32765, 58, 0, 0, {"32766:c5-c65:61", "32767:c5-c5:1"}, 32766, 0},
      {32766, 58, 0, kErrOverflow, {}, 32767, 0},
      {32767, 0, 1, kErrOverflow, {}, 0, 0},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.ultima);
    TestDatabase tdb;
    Contenido(tdb, caso.dcn, caso.trc);
    auto db = tdb.Open();
    CImpComp comp;
    Cargar(comp, *db);
    std::int32_t p = caso.ultima;
    try {
      comp.GuardarDatos(p);
      EXPECT_EQ(caso.error, 0);
    } catch (const ComError& e) {
      EXPECT_EQ(e.number(), caso.error);
      EXPECT_EQ(e.description(), kTooManyPages);
      EXPECT_EQ(e.source(), "Tipolaria - CImpCaratula.GuardarDatos");
      EXPECT_EQ(p, caso.ultima);
    }
    EXPECT_EQ(Paginas(tdb), caso.paginas);
    EXPECT_EQ(comp.CancelacionesDesde(), caso.cancelaciones_desde);
    EXPECT_EQ(comp.TercerosDesde(), caso.terceros_desde);
  }
}

TEST(CImpCompTest, FooterGoesOnEveryContinuationPageEvenWhenEmpty) {
  struct Caso {
    std::string texto;
    std::int16_t desde;
    std::int32_t hasta;
    long error;
    std::vector<std::string> filas;
  } casos[] = {
      {"ROT'ULO    05/12/2026", 3, 5, 0, {"4 ROT'ULO    05/12/2026", "5 ROT'ULO    05/12/2026"}},
      {"ROTULO", 3, 3, 0, {}},
      {"", 5, 6, 0, {"6 "}},
      {"ROTULO", 32766, 32768, kErrOverflow, {}},
  };
  for (const Caso& caso : casos) {
    TestDatabase tdb;
    auto db = tdb.Open();
    CImpComp comp;
    comp.BaseDeDatos(*db);
    std::int16_t desde = caso.desde;
    long error = 0;
    try {
      EXPECT_TRUE(comp.CargarPie(caso.texto, caso.hasta, desde));
    } catch (const ComError& e) {
      error = e.number();
      EXPECT_EQ(e.description(), kTooManyPages);
    }
    EXPECT_EQ(error, caso.error);
    EXPECT_EQ(tdb.Column("SELECT nro_hoja || ' ' || valor FROM IMP WHERE tipo = 1 AND "
                         "nro_campo = 'c150' ORDER BY nro_hoja"),
              caso.filas);
  }
}

}  // namespace
}  // namespace tipolaria
