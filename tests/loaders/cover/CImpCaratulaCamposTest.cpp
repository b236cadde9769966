// Fields of the cover that hold the same value in the test declarations as a
// neighbour, blanks that count as missing, and the validity bounds of the
// cover's own dated queries, each on the boundary day (the operation date is
// 05/12/2026): the data is changed so that a value in the wrong field, a
// dropped trim or a bound off by one day shows. Boundary dates are stored
// with their time, as the server holds them, so that they compare equal to
// the operation date rather than just before it.
#include <gtest/gtest.h>

#include "CoverPage.hpp"
#include "loaders/cover/CImpCaratula.hpp"
#include "runtime/Trap.hpp"
#include "support/ErrorNumber.hpp"

namespace tipolaria {
namespace {

using std::nullopt;
using testing::C;
using testing::CargarCaratula;
using testing::CargarDatos;
using testing::Esperado;
using testing::ExpectCampos;
using testing::LeerPagina;
using testing::TestDatabase;

struct Caso {
  const char* datos;
  Esperado esperado;
};

void Comprobar(const Caso& caso) {
  SCOPED_TRACE(caso.datos);
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_demo.sql"});
  tdb.Run(caso.datos);
  auto db = tdb.Open();
  CargarCaratula(*db, "26001IC04000123A");
  ExpectCampos(LeerPagina(tdb), caso.esperado);
}

TEST(CImpCaratulaCamposTest, EachValueLandsInItsOwnField) {
  Comprobar(
      {"UPDATE DDT SET qddtbultos = 1048, mddtfle = 3250.75;"
       "UPDATE ART SET martfobdol = 70500.5, martinstmp = 1560.5, martajuded = 250.25,"
       " qartuntdcl = 239, cartuntdcl = '12', carttyp = 'X' WHERE nart = '0001';",
       {{11, "SHENZHEN HUAWEN ELECTRONICS CO. LTD."},
        {13, "MEDUSH2611047"},
        {15, "MSC BEATRICE"},
        {19, "DPSA 1/48"},
        {21, "1.048"},
        {28, "FOB"},
        {31, "3.250,75"},
        {39, "X"},
        {41, "8528.72.00"},
        {54, "DOCENA"},
        {55, "239,00"},
        {56, "71.000,00"},
        {57, "70.500,50"},
        {65, "1.560,50"},
        {67, "250,25"}}});
}

// Amounts read with Null counting as 0 print zero; a quantity read as text
// prints nothing.
TEST(CImpCaratulaCamposTest, NullAmountsPrintZero) {
  Comprobar(
      {"UPDATE ART SET martfob = NULL, martfobdol = NULL, martinstmp = NULL,"
       " qartuntdcl = NULL WHERE nart = '0001';",
       {{55, nullopt}, {56, "0,00"}, {57, "0,00"}, {65, "0,00"}}});
}

TEST(CImpCaratulaCamposTest, BlankTextsCountAsMissing) {
  const Caso casos[] = {
      {"UPDATE ART SET cartpro = ' ' WHERE nart = '0001';", {{42, "1"}}},
      {"UPDATE ART SET cartpro = 'P1' WHERE nart = '0001';", {{42, "1 / P1"}}},
      {"UPDATE TPR SET ctprtld = '  ';", {{14, "26001MANI012345X"}}},
      // Blanks around the suffix codes of the list are not part of them.
      {"UPDATE SBT SET csbtsvl = 'AA(01) - IP00 ' WHERE nart = '0001';",
       {{51,
         "TELEVISORES LED SMART DE 55 PULGADAS, RESOLUCION 4K, CON CONTROL REMOTO Y SOPORTE DE "
         "MESA  \r\n\r\n\r\nAA(01) = SAMSUNG\r\nIP00 = Ninguno\r\n"}}},
  };
  for (const Caso& caso : casos) Comprobar(caso);
}

TEST(CImpCaratulaCamposTest, DatedRowsAreValidFromTheirStartUpToTheirEnd) {
  const Caso casos[] = {
      // Gross-income codes of JRD print together under 900: 049 is listed no
      // longer, 050 from the operation date on.
      {"UPDATE JRD SET DJRDFIN = '2026-12-05 00:00:00' WHERE cjrdtax = '049';"
       "UPDATE JRD SET DJRDEFF = '2026-12-05 00:00:00' WHERE cjrdtax = '050';",
       {{104, "( 049 ) INGRESOS BRUTOS BUENOS AIRES"},
        {106, "2.749,49"},
        {110, "( 900 ) INGRESOS BRUTOS - CONV. MULTILATERAL"},
        {112, "1.099,80"},
        {116, "( 900 ) INGRESOS BRUTOS - CONV. MULTILATERAL"},
        {118, "1.649,70"}}},
      // The origin: a country ending on the operation date gives way to a
      // province starting on it; one starting on it wins over the province.
      {"INSERT INTO PRV VALUES ('310', 'PROVINCIA', '2026-12-05 00:00:00', '9999-12-31');"
       "UPDATE PAY SET DPAYFIN = '2026-12-05 00:00:00' WHERE cpay = '310';",
       {{45, "PROVINCIA"}}},
      {"INSERT INTO PRV VALUES ('310', 'PROVINCIA', '1990-01-01', '2026-12-05 00:00:00');"
       "UPDATE PAY SET DPAYEFF = '2026-12-05 00:00:00' WHERE cpay = '310';",
       {{45, "REP. POP. CHINA"}}},
      {"INSERT INTO PRV VALUES ('310', 'PROVINCIA', '1990-01-01', '2026-12-05 00:00:00');"
       "UPDATE PAY SET DPAYFIN = '2026-12-05 00:00:00' WHERE cpay = '310';",
       {{45, nullopt}}},
      // Document codes valid from the operation date name the invoices; the
      // inspection certificates' code ends on it.
      {"UPDATE DOC SET DDOCINI = '2026-12-05 00:00:00' WHERE CDOCINT = 'FAC';",
       {{37,
         "Peso Guía = 12.850,500    Nros. Facturas:   E-0003-00012587  E-0003-00012588  "
         "Certif. Inspec.:   BV-2026-88123  PL-12587"}}},
      {"UPDATE DOC SET DDOCFIN = '2026-12-05 00:00:00' WHERE CDOC = 'CINS';",
       {{37,
         "Peso Guía = 12.850,500    Nros. Facturas:   E-0003-00012587  E-0003-00012588  "
         "PL-12587"}}},
  };
  for (const Caso& caso : casos) Comprobar(caso);
}

// The header columns a loader takes as they are read, unlike those read
// through the Null-to-empty conversion, end the load when Null.
TEST(CImpCaratulaCamposTest, ColumnsTakenAsReadMustNotBeNull) {
  for (const std::string columna : {"nddtimmioe", "cddtagr", "cddtbur"}) {
    TestDatabase tdb;
    CargarDatos(tdb, {"decl_demo.sql"});
    tdb.Run("UPDATE DDT SET " + columna + " = NULL;");
    auto db = tdb.Open();
    EXPECT_EQ(ErrorNumber([&] { CargarCaratula(*db, "26001IC04000123A"); }), kErrInvalidUseOfNull)
        << columna;
  }
}

}  // namespace
}  // namespace tipolaria
