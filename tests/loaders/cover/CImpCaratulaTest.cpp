// The cover's header (fields 5 to 37) and first item (38 to 70, 145), loaded
// from the test declarations and read back from IMP.
#include "loaders/cover/CImpCaratula.hpp"

#include <gtest/gtest.h>

#include "CoverPage.hpp"

namespace tipolaria {
namespace {

using std::nullopt;
using testing::C;
using testing::CargarCaratula;
using testing::CargarDatos;
using testing::ExpectCampos;
using testing::LeerPagina;
using testing::Pagina;
using testing::TestDatabase;

Pagina Imprimir(const TestDatabase& tdb, const std::string& iddtext) {
  auto db = tdb.Open();
  CargarCaratula(*db, iddtext);
  return LeerPagina(tdb);
}

int Saltos(const std::string& text) {
  int n = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++n;
  return n;
}

TEST(CImpCaratulaTest, DemoPrintsHeaderPartiesTransportValuesAndTheFirstItem) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_demo.sql"});
  const Pagina pagina = Imprimir(tdb, "26001IC04000123A");
  // A term of 0 prints nothing (25). A short first entry goes alone to 49;
  // the rest, with the product code and without the VNME entry, fills 50.
  // Without a declared quantity 58 and 59 are the official price and unit;
  // imports print no coefficient (60).
  ExpectCampos(
      pagina, C(5, "DISTRIBUIDORA PATAGÓNICA S.A.    (IVA INS: RESPONSABLE INSCRIPTO)"),
      C(6, "30-71234567-9"), C(7, "O'BRIEN, JUAN PATRICIO"), C(8, "20-23456789-1"),
      C(9, "TRANSPORTES RÍO DE LA PLATA S.A."), C(12, "MARITIMO"),
      C(14, "26001MANI012345X[TLD-77812]"), C(16, "PANAMÁ"), C(17, "Pais dest.: ARGENTINA"),
      C(18, "20 / 11 / 2026"), C(20, "VARIOS"), C(22, "12.850,500"), C(23, "TERMINAL 4 S.A."),
      C(24, nullopt), C(25, nullopt), C(26, nullopt), C(27, nullopt), C(29, "84.500,00"),
      C(30, "USD"), C(33, "422,50"), C(38, "0001"), C(40, "8528.72.00.900W"), C(42, "1"),
      C(43, "NUEVO SIN USO"), C(44, "6.420,2500"), C(45, "REP. POP. CHINA"), C(47, "UNIDAD"),
      C(48, "240,00"), C(49, "AÑO = 2026"), C(53, "295,8333"), C(56, "71.000,00"), C(58, "295,83"),
      C(59, "UNIDAD"), C(60, nullopt), C(63, "74.085,77"), C(64, "91.125,49"), C(66, nullopt),
      C(68, "74.085,77"), C(69, "74.085,77"), C(70, nullopt), C(145, nullopt));
  ExpectCampos(
      pagina, C(35, "POL. CAUCION 884512   GAR. 2026-001547   Pagos: BNA-26000123456-CC-VEP\r\n"),
      C(36, "Cotiz = 1.452,750000   VALOR-CRIT = NO   VINC-PARTES = NO   "),
      C(37,
        "Peso Guía = 12.850,500    Nros. Facturas:   E-0003-00012587  E-0003-00012588  "
        "Certif. Inspec.:   BV-2026-88123  PL-12587"),
      C(50, "MARCA = SAMSUNG     MODELO = QN55Q60DAGCZB     Cód. Prod. = 8806095412345\r\n"),
      C(51,
        "TELEVISORES LED SMART DE 55 PULGADAS, RESOLUCION 4K, CON CONTROL REMOTO Y SOPORTE DE "
        "MESA  \r\n\r\n\r\nAA(01) = SAMSUNG\r\nZB(01) = QN55Q60DAGCZB\r\nGA(02) = ELECTRONICO\r\n"
        "IP00 = Ninguno\r\n"),
      C(52,
        "c) Opciones a nivel general\r\nc) AJUSTE-INCL = N\r\n   PAGO-ANTIC = S\r\n"
        "b) RES. 171/2016 - SEGURIDAD ELECTRICA\r\na) DECL-JURADA = S\r\n"),
      C(61, "SEGE = SE-2026-004512   Docs. Carátula: INVI = INV-2026-3321   "));
}

TEST(CImpCaratulaTest, ExportPrintsItsOwnFieldsAndThePlaceholders) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_exportacion.sql"});
  const Pagina pagina = Imprimir(tdb, "26046EC01000871K");
  // A transport row without agent (9), the shipment deadline as read,
  // unlike the arrival date (24), a province of origin (45).
  ExpectCampos(pagina, C(9, nullopt), C(10, nullopt), C(14, nullopt), C(20, "CAJAS DE CARTON"),
               C(23, "DEPÓSITO FISCAL MENDOZA S.A."), C(24, "20/12/2026"), C(25, "30"),
               C(26, "12 | NR 4455/2026"), C(27, "PASO DE LOS LIBRES"), C(33, nullopt),
               C(34, nullopt), C(35, "Pagos: BNA-26000998877-CC-VEP   "), C(36, "Cotiz = xxxx   "),
               C(45, "MENDOZA"), C(49, nullopt), C(60, "1,03125"), C(61, "INVI = INV-2026-3321   "),
               C(62, nullopt), C(64, nullopt), C(66, "185.400,00"), C(69, nullopt),
               C(70, "12.500,00"), C(145, "<<AUTOLIQUIDACIÓN>>"));
  ExpectCampos(pagina, C(5, "BODEGA D'ANGELO HERMANOS S.A.    (IVA INS: RESPONSABLE INSCRIPTO)"),
               C(37, "Peso Guía = 0,000    Nros. Facturas:   E-0001-00000871"),
               C(50, "GRADUACION = 13,5 % VOL\r\n"),
               C(51,
                 "VINO FINO TINTO MALBEC, COSECHA 2024, EN BOTELLAS DE VIDRIO DE 750 ML, CAJAS "
                 "DE 12 UNIDADES  \r\n\r\n\r\nAA(01) = BODEGA D'ANGELO\r\nZA(02) = MALBEC 2024\r\n"
                 "IS00 = Ninguno\r\nVC(01) = Sin descripción\r\n"),
               C(52, "c) Opciones a nivel general\r\n"));
}

TEST(CImpCaratulaTest, MissingReferenceDataGivesPlaceholdersAndNoError) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_incompleta.sql"});
  // Without a transport mode or tax condition there is no header at all.
  Pagina sin_ptr = Imprimir(tdb, "26001IC04000999Z");
  EXPECT_EQ(sin_ptr.lower_bound(5), sin_ptr.lower_bound(38));

  tdb.Run("DELETE FROM IMP");
  Pagina pagina = Imprimir(tdb, "26079IC04000321C");
  // The flag country (16) and australes (30) are no longer valid.
  ExpectCampos(pagina, C(5, "FUNDACIÓN HOSPITAL DE NIÑOS SAN ROQUE    (IVA INS: EXENTO)"),
               C(16, nullopt), C(17, "Pais dest.: ******"), C(20, nullopt), C(23, nullopt),
               C(27, "CAMPANA"), C(29, "5.300,00"), C(30, nullopt), C(32, nullopt), C(34, nullopt),
               C(35, nullopt), C(36, "Cotiz = xxxx   "), C(37, "Peso Guía = 0,000"));
  // No item 0001: no item field and no settlement.
  EXPECT_EQ(pagina.lower_bound(38), pagina.lower_bound(137));
}

TEST(CImpCaratulaTest, TextsThatOverflowTheirBoxesAreCutAndMarked) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_desborde.sql"});
  Pagina pagina = Imprimir(tdb, "26073IC04000456B");

  EXPECT_EQ(pagina[36].find("ASIST-TECNICA"), std::string::npos);
  EXPECT_EQ(pagina[37].find("DE-90045877"), std::string::npos);

  // The description is fitted to five lines and cut; the suffix list keeps
  // 13 lines and says there is more.
  const std::string& sufijos = pagina[51];
  EXPECT_NE(sufijos.find("... \r\n\r\n\r\nAA(01) = SIEMENS\r\n"), std::string::npos);
  EXPECT_EQ(sufijos.find("ANMAT"), std::string::npos);
  EXPECT_EQ(Saltos(sufijos), 13);
  EXPECT_TRUE(sufijos.ends_with("GF(06) = 200 T/M/S\r\n..."));

  // Options stop at 17 lines: the general options are cut and the item's
  // regime is never reached.
  EXPECT_EQ(Saltos(pagina[52]), 17);
  EXPECT_TRUE(pagina[52].ends_with("   OPC-16 = S\r\n..."));
  EXPECT_EQ(pagina[52].find("b) "), std::string::npos);

  // Documents past 180 characters are fitted to three lines.
  EXPECT_EQ(Saltos(pagina[61]), 3);
  EXPECT_TRUE(pagina[61].starts_with("SEGE = SE-2026-010001   SEGE = SE-2026-010002"));

  // Heading plus 16 general options fill the 17 lines; with nothing left
  // unprinted there is no "...".
  tdb.Run(
      "DELETE FROM IMP; DELETE FROM SRG; DELETE FROM CPL WHERE icpldif = 'S'"
      " AND ccpl IN ('OPC-17', 'OPC-18', 'OPC-19', 'OPC-20');");
  pagina = Imprimir(tdb, "26073IC04000456B");
  EXPECT_EQ(Saltos(pagina[52]), 17);
  EXPECT_TRUE(pagina[52].ends_with("   OPC-16 = S\r\n"));
}

TEST(CImpCaratulaTest, GuaranteesAndPaymentsShareTheTwoLinesOfTheirBox) {
  const std::string garantias =
      "POLIZA CAUCION ADUANERA 00123456   POLIZA CAUCION ADUANERA 00123457   POLIZA CAUCION "
      "ADUAN...\r\n";
  struct Caso {
    const char* datos;
    std::string esperado;
  } casos[] = {
      // Guarantees fill the first line and are cut once to its width; the
      // payments take the second line.
      {"", garantias + "Pagos: BNA-26000771001-CC-VEP   GAL-26000771002-CA-VEP\r\n"},
      // The second line takes payments up to its own limit; the rest are
      // not printed, and the first line stays as it was.
      {"INSERT INTO LPP VALUES ('2600030001', 'SAN', '26000771003', 'CC', 'VEP'),"
       " ('2600030001', 'ICB', '26000771004', 'CC', 'VEP');",
       garantias +
           "Pagos: BNA-26000771001-CC-VEP   GAL-26000771002-CA-VEP   SAN-26000771003-CC-VEP\r\n"},
      // Short guarantees share one line with the payments, fitted as a whole.
      {"DELETE FROM LGP WHERE clgpgar <> 'POLIZA CAUCION ADUANERA 00123456';",
       "POLIZA CAUCION ADUANERA 00123456   Pagos: BNA-26000771001-CC-VEP   "
       "GAL-26000771002-CA-VEP\r\n"},
  };
  for (const Caso& caso : casos) {
    TestDatabase tdb;
    CargarDatos(tdb, {"decl_desborde.sql"});
    tdb.Run(caso.datos);
    ExpectCampos(Imprimir(tdb, "26073IC04000456B"), C(35, caso.esperado));
  }
}

TEST(CImpCaratulaTest, ValuesPrintAsTheirFieldsFormatThem) {
  struct Caso {
    const char* datos;
    testing::Esperado esperado;
  } casos[] = {
      // The arrival date prints as a date alone; the shipment deadline as
      // read, with its time when it has one.
      {"UPDATE DDT SET dddtarvtrn = '2026-11-20 14:05:00', dddtvenemb = '2026-12-20 08:00:00';",
       {{18, "20 / 11 / 2026"}, {24, "20/12/2026 08:00:00"}}},
      // A declared quantity values the item at the declared price and unit,
      // and prints as the coefficient.
      {"UPDATE ART SET qartde = 2.5, martvalde = 118.333, cartunde = '12', martcoefic = 1.5"
       " WHERE nart = '0001';",
       {{58, "118,33"}, {59, "DOCENA"}, {60, "2,50"}}},
      // An unknown declared unit prints nothing (unlike fields 47 and 54,
      // which print the code).
      {"UPDATE ART SET qartde = 2.5, cartunde = 'ZZ', cartuntest = 'ZZ' WHERE nart = '0001';",
       {{47, "ZZ"}, {59, nullopt}}},
      // A product code alone goes to field 49 while the text fits its 14
      // characters, to field 50 beyond.
      {"DELETE FROM CPL WHERE nart = '0001'; UPDATE ART SET cartcodean = '7' WHERE nart = '0001';",
       {{49, "Cód. Prod. = 7"}, {50, nullopt}}},
      {"DELETE FROM CPL WHERE nart = '0001'; UPDATE ART SET cartcodean = '78' WHERE nart = '0001';",
       {{49, nullopt}, {50, "Cód. Prod. = 78\r\n"}}},
  };
  for (const Caso& caso : casos) {
    TestDatabase tdb;
    CargarDatos(tdb, {"decl_demo.sql"});
    tdb.Run(caso.datos);
    ExpectCampos(Imprimir(tdb, "26001IC04000123A"), caso.esperado);
  }
}

TEST(CImpCaratulaTest, LookupsFollowValidityDatesAndPrecedence) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_demo.sql"});
  tdb.Run(
      // A currency ending on the operation date is no longer valid; one
      // starting on it is.
      "INSERT INTO DEV VALUES ('YEN', 'JPY', '1990-01-01', '2026-12-05');"
      "INSERT INTO DEV VALUES ('YUA', 'CNY', '2026-12-05', '9999-12-31');"
      "UPDATE DDT SET cddtdevfob = 'YEN', cddtdevfle = 'YUA', qddtregsus = 15,"
      " cddtmot = 'LNA', nddtnumcvt = NULL;"
      // An origin code that is also a province prints the country; an
      // unknown unit prints its code.
      "INSERT INTO PRV VALUES ('310', 'PROVINCIA', '1990-01-01', '9999-12-31');"
      "UPDATE ART SET cartuntest = 'ZZ', cartsbitem = 'S', cartpayprc = '999' WHERE nart = '0001';"
      // The VAT base printed is that of the last number in the list with a
      // base: 021 (number 11) once 030 (number 12) has none.
      "UPDATE LQA SET mlqabas = 91000 WHERE clqatax = '021' AND nart = '0001';"
      "UPDATE LQA SET mlqabas = NULL WHERE clqatax = '030' AND nart = '0001';"
      // Without a reimbursement of number 39, the one of number 142.
      "INSERT INTO BNF VALUES ('2600012345', '0001', '063', 1, 5000, 50);"
      // No inspection certificate is valid any more: the invoices and the
      // third document still print, and the packing list is not taken for
      // a certificate.
      "UPDATE DOC SET DDOCFIN = '2026-12-05' WHERE CDOCINT = 'CIN';"
      // Nor is a document without a code, which the empty code of the
      // missing kind would otherwise name.
      "INSERT INTO DVD (idvd, nart, cdvddoc, ldvdrefdoc)"
      " VALUES ('2600012345', '0000', '', 'SIN-CODIGO');");
  ExpectCampos(Imprimir(tdb, "26001IC04000123A"), C(25, "15"), C(26, "LNA"), C(30, nullopt),
               C(32, "CNY"), C(45, "REP. POP. CHINA"), C(46, nullopt), C(47, "ZZ"),
               C(53, "SUBITEM"), C(64, "91.000,00"), C(66, "5.000,00"),
               C(37,
                 "Peso Guía = 12.850,500    Nros. Facturas:   E-0003-00012587  E-0003-00012588  "
                 "PL-12587"));
}

}  // namespace
}  // namespace tipolaria
