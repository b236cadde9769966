// The settlement grid (fields 71 to 148) and the footer (137 to 139, 143,
// 144) of the cover.
#include <gtest/gtest.h>

#include "CoverPage.hpp"
#include "loaders/cover/CImpCaratula.hpp"

namespace tipolaria {
namespace {

using std::nullopt;
using testing::C;
using testing::Carga;
using testing::CargarCaratula;
using testing::CargarDatos;
using testing::Esperado;
using testing::ExpectCampos;
using testing::Fila;
using testing::Impresion;
using testing::LeerPagina;
using testing::Pagina;
using testing::TestDatabase;
using Indice = std::vector<std::string>;

TEST(CImpCaratulaLiquidacionTest, ItemValuesGoBesideTheDeclarationConceptOfTheirTax) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_demo.sql"});
  auto db = tdb.Open();
  const Carga carga = CargarCaratula(*db, "26001IC04000123A");
  ExpectCampos(
      LeerPagina(tdb),
      Fila(71, {"20,00", "P", "14.817,15", "( 010 ) DERECHO DE IMPORTACION", "P", "19.162,13"}),
      Fila(77, {"3,00", "P", "2.222,57", "( 011 ) TASA DE ESTADISTICA", "P", "2.645,17"}),
      Fila(95, {"6,00", "P", "5.467,53", "( 030 ) IMPUESTO A LAS GANANCIAS (01)", "P", "6.598,79"}),
      // Taxes listed in JRD are summed per motive and type under 900;
      // the item's gross-income taxes have no concept of their own and
      // are not printed beside them.
      Fila(101, {nullopt, nullopt, nullopt, "( 900 ) INGRESOS BRUTOS - CONV. MULTILATERAL", "G",
                 "1.099,80"}),
      Fila(107, {nullopt, nullopt, nullopt, "( 900 ) INGRESOS BRUTOS - CONV. MULTILATERAL", "P",
                 "4.399,19"}),
      Fila(113, {nullopt, nullopt, nullopt, nullopt, nullopt, nullopt}),
      // LIQ is preferred over LIT for the declaration totals.
      C(125, nullopt), C(131, "63.513,72"), C(132, "911,25"), C(133, "0,00"), C(137, "77.896,99"),
      C(138, "1.099,80"), C(139, "0,00"), C(146, nullopt));
  EXPECT_TRUE(carga.liquidacion_impresa);
  // The concepts the item used are taken out of the index.
  EXPECT_EQ(carga.indice, (Indice{"900       104", "900       110"}));

  // A jurisdiction without a tax code takes no concept off the grid.
  const Pagina pagina = LeerPagina(tdb);
  tdb.Run(
      "DELETE FROM IMP; INSERT INTO JRD (cjrd, cjrdtax, ljrddesc, DJRDEFF, DJRDFIN)"
      " VALUES ('99', NULL, 'SIN IMPUESTO', '2020-01-01', '2099-01-01');");
  CargarCaratula(*db, "26001IC04000123A");
  EXPECT_EQ(LeerPagina(tdb), pagina);
}

TEST(CImpCaratulaLiquidacionTest, ReimbursementAndDrawbackAreAmountsToCollect) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_exportacion.sql"});
  auto db = tdb.Open();
  const Carga carga = CargarCaratula(*db, "26046EC01000871K");
  ExpectCampos(
      LeerPagina(tdb),
      Fila(71, {"4,50", "P", "8.343,00", "( 040 ) DERECHO DE EXPORTACION", "P", "8.343,00"}),
      Fila(77, {"4,05", "C", "7.508,70", "( 061 ) REINTEGRO A LA EXPORTACION", "C", "7.508,70"}),
      // Drawback has no coefficient: type and amount beside its concept.
      Fila(83, {nullopt, "C", "1.250,00", "( 630 ) DRAWBACK", "C", "1.250,00"}),
      Fila(89, {nullopt, "C", "310,50", "( 632 ) DRAWBACK ENVASES", "C", "310,50"}),
      // Without LIQ the totals come from LIT.
      C(131, "8.343,00"), C(132, "0,00"), C(133, "9.069,20"), C(137, "8.343,00"), C(138, "0,00"),
      C(139, "9.069,20"));
  // Drawback rows leave their index entries in place.
  EXPECT_EQ(carga.indice, (Indice{"630       86", "632       92"}));
}

TEST(CImpCaratulaLiquidacionTest, UnsettledDeclarationListsTheItemWithItsOwnConcepts) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_sin_liquidacion.sql"});
  auto db = tdb.Open();
  Impresion sin_canal;
  sin_canal.oper = 0;
  const Carga carga = CargarCaratula(*db, "26033EC01000102P", sin_canal);
  ExpectCampos(
      LeerPagina(tdb),
      Fila(71, {"24,50", "P", "88.445,00", "( 040 ) DERECHO DE EXPORTACION", nullopt, nullopt}),
      // Drawback as the item pages place it: two fields on for the type,
      // then the amount.
      Fila(77, {"3,00", "C", "10.830,00", "( 061 ) REINTEGRO A LA EXPORTACION", nullopt, "C"}),
      Fila(83, {"420,00", nullopt, "C", "100,00", nullopt, nullopt}), C(125, nullopt),
      C(131, "88.445,00"), C(132, "0,00"), C(133, "11.350,00"), C(137, "0,00"), C(138, "0,00"),
      C(139, "0,00"), C(143, nullopt), C(144, "OFICIALIZADO"));
  EXPECT_FALSE(carga.liquidacion_impresa);
  EXPECT_TRUE(carga.indice.empty());

  // With a channel mode the declaration level is not skipped: it prints
  // nothing, so no item row has a concept to go beside.
  tdb.Run("DELETE FROM IMP;");
  EXPECT_TRUE(CargarCaratula(*db, "26033EC01000102P").liquidacion_impresa);
  Pagina pagina = LeerPagina(tdb);
  EXPECT_EQ(pagina.lower_bound(71), pagina.lower_bound(131));

  // Drawback alone lands where the item pages put it.
  tdb.Run("DELETE FROM IMP; DELETE FROM LQA; DELETE FROM BNF;");
  CargarCaratula(*db, "26033EC01000102P", sin_canal);
  ExpectCampos(LeerPagina(tdb), Fila(71, {nullopt, "C", "420,00", nullopt, "C", "100,00"}),
               C(133, "520,00"));
}

TEST(CImpCaratulaLiquidacionTest, FullGridMarksOverflowAtBothLevels) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_desborde.sql"});
  auto db = tdb.Open();
  const Carga carga = CargarCaratula(*db, "26073IC04000456B");
  ExpectCampos(LeerPagina(tdb),
               Fila(119, {"10,50", "P", "169.147,81", "( 020 ) I.V.A.", "P", "169.147,81"}),
               // The item's tenth tax sits beside the concept in 128: the item
               // level stops there and marks 125 to 127.
               Fila(125, {"...", "...", "...", "( 021 ) I.V.A. ADICIONAL", "P", "161.093,15"}),
               Fila(131, {"618.432,81", "202.952,00", "0,00", "( 030 ) IMPUESTO A LAS GANANCIAS"}),
               Fila(137, {"618.432,81", "202.952,00", "0,00", "( 031 ) IMPUESTO A LOS COMBUSTIBLES",
                          "P", "15.221,40"}),
               // Twelve concepts fill the grid; two are left out.
               Fila(146, {"............................", "...", "..."}));
  EXPECT_EQ(carga.indice, (Indice{"030       134", "031       140"}));

  // The item's first tax is the one printed in 140: its values go to 137 to
  // 139 and are replaced by the footer's declaration totals.
  tdb.Run("DELETE FROM IMP; DELETE FROM LQA WHERE clqatax <> '031';");
  CargarCaratula(*db, "26073IC04000456B");
  ExpectCampos(LeerPagina(tdb), C(137, "618.432,81"), C(138, "202.952,00"), C(139, "0,00"),
               C(71, nullopt), C(125, "..."), C(131, "15.221,40"));
}

TEST(CImpCaratulaLiquidacionTest, ConceptMarksOnlyWhenAConceptIsLeftOut) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_desborde.sql"});
  tdb.Run("DELETE FROM LIT WHERE clittax IN ('032', '033');");
  auto db = tdb.Open();
  // Twelve concepts fill the grid and leave nothing out.
  CargarCaratula(*db, "26073IC04000456B");
  const Esperado sin_marcas = Fila(146, {nullopt, nullopt, nullopt});
  ExpectCampos(LeerPagina(tdb), C(140, "( 031 ) IMPUESTO A LOS COMBUSTIBLES"), sin_marcas);

  // One more concept of any kind has no room: the marks say so.
  const Esperado marcas = Fila(146, {"............................", "...", "..."});
  for (const char* mas :
       {"INSERT INTO LIT VALUES ('2600030001', '032', NULL, 'P', 25369.00);",
        "INSERT INTO LIT VALUES ('2600030001', '049', NULL, 'P', 100.00);",  // under 900
        "INSERT INTO BNF VALUES ('2600030001', '0000', '061', 0, 0, 10.00);",
        "INSERT INTO DBK VALUES ('2600030001', '0000', '630', 10.00);"}) {
    tdb.Run(mas);
    tdb.Run("DELETE FROM IMP;");
    CargarCaratula(*db, "26073IC04000456B");
    ExpectCampos(LeerPagina(tdb), marcas);
    tdb.Run("DELETE FROM LIT WHERE clittax IN ('032', '049'); DELETE FROM BNF; DELETE FROM DBK;");
  }
}

TEST(CImpCaratulaLiquidacionTest, ItemValuesNeverTakeTheBoxesOfTheTotals) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_desborde.sql"});
  auto db = tdb.Open();
  const Esperado marcas = Fila(125, {"...", "...", "..."});

  // The item's only tax is the eleventh concept, whose item columns are the
  // boxes of the item totals: they keep the totals.
  tdb.Run("DELETE FROM LQA WHERE clqatax <> '030';");
  CargarCaratula(*db, "26073IC04000456B");
  ExpectCampos(LeerPagina(tdb), marcas, Fila(131, {"96.655,89", "0,00", "0,00"}));

  // Drawback concepts in the tenth and eleventh rows (632, then 630) after
  // nine taxes: the item's 630 is left out, the totals keep their boxes and
  // the marks say that something is missing.
  tdb.Run(
      "DELETE FROM IMP; DELETE FROM LIT WHERE clittax > '020';"
      "DELETE FROM LQA; INSERT INTO LQA (iliq, nart, clqatax, clqatyp, qlqacoefic, mlqa)"
      "  SELECT iliq, '0001', clittax, clittyp, 1, mlit FROM LIT;"
      "INSERT INTO DBK VALUES ('2600030001', '0000', '632', 50.00),"
      "  ('2600030001', '0000', '630', 100.00), ('2600030001', '0001', '630', 100.00),"
      "  ('2600030001', '0001', '632', 50.00);");
  CargarCaratula(*db, "26073IC04000456B");
  ExpectCampos(
      LeerPagina(tdb), Fila(119, {"1,00", "P", "169.147,81", "( 020 ) I.V.A.", "P", "169.147,81"}),
      marcas, C(128, "( 632 ) DRAWBACK ENVASES"),
      Fila(131, {"318.824,92", "202.952,00", "150,00", "( 630 ) DRAWBACK", "C", "100,00"}));

  // One tax fewer: the drawback concepts move up to rows nine and ten, where
  // both item rows fit; 630, read first, does not keep 632 from its place.
  tdb.Run(
      "DELETE FROM IMP; DELETE FROM LIT WHERE clittax = '020';"
      "DELETE FROM LQA WHERE clqatax = '020';");
  CargarCaratula(*db, "26073IC04000456B");
  ExpectCampos(LeerPagina(tdb),
               Fila(119, {nullopt, "C", "50,00", "( 632 ) DRAWBACK ENVASES", "C", "50,00"}),
               Fila(125, {nullopt, "C", "100,00", "( 630 ) DRAWBACK", "C", "100,00"}));

  // Without the declaration level, drawback after ten rows of their own
  // would come after the grid's tenth row, into the totals.
  TestDatabase sin_liquidar;
  CargarDatos(sin_liquidar, {"decl_sin_liquidacion.sql"});
  sin_liquidar.Run(
      "INSERT INTO LQA (iliq, nart, clqatax, clqatyp, qlqacoefic, mlqa) SELECT '2600040001',"
      " '0001', CPTRNAT, 'P', 1, 1 FROM PTR WHERE CTPT = 'CODTAX' AND CPTRNAT < '021';");
  Impresion sin_canal;
  sin_canal.oper = 0;
  auto otra = sin_liquidar.Open();
  CargarCaratula(*otra, "26033EC01000102P", sin_canal);
  ExpectCampos(LeerPagina(sin_liquidar),
               Fila(125, {"...", "...", "...", "( 020 ) I.V.A.", nullopt, nullopt}),
               Fila(131, {"88.454,00", "0,00", "11.350,00", nullopt}));
}

// The footer alone, on the demo declaration with its channel data changed.
std::vector<std::string> Pie(const TestDatabase& tdb, const Impresion& impresion) {
  auto db = tdb.Open();
  Recordset header;
  db->GetRs("SELECT * FROM DDT WHERE iddt = '2600012345'", header);
  CImpCaratula cover;
  cover.BaseDeDatos(*db);
  cover.CargarPie(header, impresion.oper, impresion.canal, impresion.morado, impresion.rotulo,
                  impresion.ramo, impresion.fecofi);
  std::vector<std::string> canal;
  for (const CImp& campo : cover.Campos()) {
    if (campo.Posicion == "143" || campo.Posicion == "144") canal.push_back(campo.Valor);
  }
  return canal;
}

TEST(CImpCaratulaLiquidacionTest, ChannelFollowsTheModeAndIsHiddenWhereItMeansNothing) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_demo.sql"});
  Impresion impresion;
  using Lines = std::vector<std::string>;
  const std::string fecha = "OFICIALIZADO    05/12/2026 10:42:17";
  EXPECT_EQ(Pie(tdb, impresion), (Lines{"ROJO (VERIFICACION) RAMO 2", fecha}));
  impresion.oper = 0;
  EXPECT_EQ(Pie(tdb, impresion), (Lines{"OFICIALIZADO"}));
  impresion.oper = 1;
  impresion.canal = "V";
  impresion.ramo = "RAMO 1";
  EXPECT_EQ(Pie(tdb, impresion), (Lines{"VERDE RAMO 1", fecha}));
  impresion.morado = "DOCUMENTAL";
  EXPECT_EQ(Pie(tdb, impresion), (Lines{"VERDE (DOCUMENTAL) RAMO 1", fecha}));

  // Anticipated clearance with a pre-registration, a storage station, a
  // station whose licence stands for the channel on an arrived or stageless
  // declaration, or the operation numbered 1 (exports): no channel.
  const std::string licencia = "UPDATE STA SET cstalicaut = 'S' WHERE ISTA = 'IC04';";
  for (const std::string& cambio : std::vector<std::string>{
           "UPDATE DDT SET cddtprd = 'A'; UPDATE TPR SET ctprdapreg = 'S';",
           "UPDATE DDT SET ista = 'ID01';", licencia + "UPDATE DDT SET cddteta = 'ARR';",
           licencia + "UPDATE DDT SET cddteta = NULL;", "UPDATE DDT SET cddtimpexp = 'E';"}) {
    tdb.Run(cambio);
    EXPECT_EQ(Pie(tdb, impresion), (Lines{"", fecha})) << cambio;
    tdb.Run(
        "UPDATE DDT SET cddtprd = 'N', ista = 'IC04', cddtimpexp = 'I', cddteta = 'OFI';"
        "UPDATE TPR SET ctprdapreg = 'N'; UPDATE STA SET cstalicaut = 'N';");
  }
  // The licence alone, on an officialised declaration, hides nothing.
  tdb.Run(licencia);
  EXPECT_EQ(Pie(tdb, impresion), (Lines{"VERDE (DOCUMENTAL) RAMO 1", fecha}));
}

}  // namespace
}  // namespace tipolaria
