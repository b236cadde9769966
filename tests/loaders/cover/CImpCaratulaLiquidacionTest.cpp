// The settlement grid (fields 71 to 148) and the footer (137 to 139, 143,
// 144) of the cover.
#include <gtest/gtest.h>

#include "CoverPage.hpp"
#include "loaders/cover/CImpCaratula.hpp"

namespace tipolaria {
namespace {

using std::nullopt;
using testing::Carga;
using testing::CargarCaratula;
using testing::CargarDatos;
using testing::ExpectCampos;
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
  ExpectCampos(LeerPagina(tdb), {{71, "20,00"},
                                 {72, "P"},
                                 {73, "14.817,15"},
                                 {74, "( 010 ) DERECHO DE IMPORTACION"},
                                 {75, "P"},
                                 {76, "19.162,13"},
                                 {77, "3,00"},
                                 {79, "2.222,57"},
                                 {80, "( 011 ) TASA DE ESTADISTICA"},
                                 {95, "6,00"},
                                 {96, "P"},
                                 {97, "5.467,53"},
                                 {98, "( 030 ) IMPUESTO A LAS GANANCIAS (01)"},
                                 // Taxes listed in JRD are summed per motive and type under
                                 // 900; the item's gross-income taxes have no concept of
                                 // their own and are not printed beside them.
                                 {101, nullopt},
                                 {103, nullopt},
                                 {104, "( 900 ) INGRESOS BRUTOS - CONV. MULTILATERAL"},
                                 {105, "G"},
                                 {106, "1.099,80"},
                                 {110, "( 900 ) INGRESOS BRUTOS - CONV. MULTILATERAL"},
                                 {111, "P"},
                                 {112, "4.399,19"},
                                 {116, nullopt},
                                 {125, nullopt},
                                 {146, nullopt},
                                 {131, "63.513,72"},
                                 {132, "911,25"},
                                 {133, "0,00"},
                                 // LIQ is preferred over LIT for the declaration totals.
                                 {137, "77.896,99"},
                                 {138, "1.099,80"},
                                 {139, "0,00"}});
  EXPECT_TRUE(carga.liquidacion_impresa);
  // The concepts the item used are taken out of the index.
  EXPECT_EQ(carga.indice, (Indice{"900       104", "900       110"}));
}

TEST(CImpCaratulaLiquidacionTest, ReimbursementAndDrawbackAreAmountsToCollect) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_exportacion.sql"});
  auto db = tdb.Open();
  const Carga carga = CargarCaratula(*db, "26046EC01000871K");
  ExpectCampos(LeerPagina(tdb), {{71, "4,50"},
                                 {72, "P"},
                                 {73, "8.343,00"},
                                 {74, "( 040 ) DERECHO DE EXPORTACION"},
                                 {77, "4,05"},
                                 {78, "C"},
                                 {79, "7.508,70"},
                                 {80, "( 061 ) REINTEGRO A LA EXPORTACION"},
                                 {81, "C"},
                                 {82, "7.508,70"},
                                 // Drawback has no coefficient: type and
                                 // amount beside its concept.
                                 {83, nullopt},
                                 {84, "C"},
                                 {85, "1.250,00"},
                                 {86, "( 630 ) DRAWBACK"},
                                 {88, "1.250,00"},
                                 {90, "C"},
                                 {91, "310,50"},
                                 {92, "( 632 ) DRAWBACK ENVASES"},
                                 {94, "310,50"},
                                 {131, "8.343,00"},
                                 {132, "0,00"},
                                 {133, "9.069,20"},
                                 // Without LIQ the totals come from LIT.
                                 {137, "8.343,00"},
                                 {138, "0,00"},
                                 {139, "9.069,20"}});
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
  ExpectCampos(LeerPagina(tdb), {{71, "24,50"},
                                 {72, "P"},
                                 {73, "88.445,00"},
                                 {74, "( 040 ) DERECHO DE EXPORTACION"},
                                 {75, nullopt},
                                 {76, nullopt},
                                 {77, "3,00"},
                                 {78, "C"},
                                 {79, "10.830,00"},
                                 {80, "( 061 ) REINTEGRO A LA EXPORTACION"},
                                 // Drawback as the item pages place it: two
                                 // fields on for the type, then the amount.
                                 {82, "C"},
                                 {83, "420,00"},
                                 {85, "C"},
                                 {86, "100,00"},
                                 {125, nullopt},
                                 {131, "88.445,00"},
                                 {132, "0,00"},
                                 {133, "11.350,00"},
                                 {137, "0,00"},
                                 {138, "0,00"},
                                 {139, "0,00"},
                                 {143, nullopt},
                                 {144, "OFICIALIZADO"}});
  EXPECT_FALSE(carga.liquidacion_impresa);
  EXPECT_TRUE(carga.indice.empty());
}

TEST(CImpCaratulaLiquidacionTest, DrawbackAloneLandsWhereItemPagesPutIt) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_sin_liquidacion.sql"});
  tdb.Run("DELETE FROM LQA; DELETE FROM BNF;");
  auto db = tdb.Open();
  Impresion sin_canal;
  sin_canal.oper = 0;
  CargarCaratula(*db, "26033EC01000102P", sin_canal);
  ExpectCampos(LeerPagina(tdb), {{71, nullopt},
                                 {72, "C"},
                                 {73, "420,00"},
                                 {74, nullopt},
                                 {75, "C"},
                                 {76, "100,00"},
                                 {133, "520,00"}});
}

TEST(CImpCaratulaLiquidacionTest, WithAChannelModeTheUnsettledDeclarationIsNotSkipped) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_sin_liquidacion.sql"});
  auto db = tdb.Open();
  const Carga carga = CargarCaratula(*db, "26033EC01000102P");
  // The declaration level ran and printed nothing, so no item row has a
  // concept to go beside.
  Pagina pagina = LeerPagina(tdb);
  EXPECT_TRUE(carga.liquidacion_impresa);
  EXPECT_EQ(pagina.lower_bound(71), pagina.lower_bound(131));
  EXPECT_EQ(pagina[131], "88.445,00");
}

TEST(CImpCaratulaLiquidacionTest, FullGridMarksOverflowAtBothLevels) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_desborde.sql"});
  auto db = tdb.Open();
  const Carga carga = CargarCaratula(*db, "26073IC04000456B");
  ExpectCampos(LeerPagina(tdb), {{119, "10,50"},
                                 {121, "169.147,81"},
                                 // The item's tenth tax sits beside the concept in 128: the
                                 // item level stops there and marks 125 to 127.
                                 {125, "..."},
                                 {126, "..."},
                                 {127, "..."},
                                 {128, "( 021 ) I.V.A. ADICIONAL"},
                                 {130, "161.093,15"},
                                 {131, "618.432,81"},
                                 {132, "202.952,00"},
                                 {134, "( 030 ) IMPUESTO A LAS GANANCIAS"},
                                 {140, "( 031 ) IMPUESTO A LOS COMBUSTIBLES"},
                                 {142, "15.221,40"},
                                 // Twelve concepts fill the grid; two are left out.
                                 {146, "............................"},
                                 {147, "..."},
                                 {148, "..."},
                                 {137, "618.432,81"},
                                 {138, "202.952,00"}});
  EXPECT_EQ(carga.indice, (Indice{"030       134", "031       140"}));
}

TEST(CImpCaratulaLiquidacionTest, ItemValuesBesideTheLastConceptsGiveWayToTheTotals) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_desborde.sql"});
  // The item's first tax is the one printed in 140: its values go to 137 to
  // 139 and are replaced by the footer's declaration totals.
  tdb.Run("DELETE FROM LQA WHERE clqatax <> '031';");
  auto db = tdb.Open();
  CargarCaratula(*db, "26073IC04000456B");
  ExpectCampos(LeerPagina(tdb), {{137, "618.432,81"},
                                 {138, "202.952,00"},
                                 {139, "0,00"},
                                 {71, nullopt},
                                 {125, "..."},
                                 {131, "15.221,40"}});
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

  // Anticipated clearance with a pre-registration, a storage station, or
  // the operation numbered 1 (exports): no channel.
  for (const char* cambio : {"UPDATE DDT SET cddtprd = 'A'; UPDATE TPR SET ctprdapreg = 'S';",
                             "UPDATE DDT SET ista = 'ID01';", "UPDATE DDT SET cddtimpexp = 'E';"}) {
    tdb.Run(cambio);
    EXPECT_EQ(Pie(tdb, impresion), (Lines{"", fecha})) << cambio;
    tdb.Run(
        "UPDATE DDT SET cddtprd = 'N', ista = 'IC04', cddtimpexp = 'I';"
        "UPDATE TPR SET ctprdapreg = 'N';");
  }
}

}  // namespace
}  // namespace tipolaria
