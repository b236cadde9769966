// Error paths of the cover loader, and quotes in the keys of a declaration.
#include <gtest/gtest.h>

#include "CoverPage.hpp"
#include "loaders/cover/CImpCaratula.hpp"
#include "runtime/Trap.hpp"
#include "support/ErrorNumber.hpp"
#include "support/FaultyBackend.hpp"

namespace tipolaria {
namespace {

using testing::CargarCaratula;
using testing::CargarDatos;
using testing::Fault;
using testing::LeerPagina;
using testing::OpenFaulty;
using testing::Pagina;
using testing::TestDatabase;

TEST(CImpCaratulaErrorTest, NullWhereTextIsNeededIsInvalidUseOfNull) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_demo.sql"});
  tdb.Run("UPDATE DDT SET lddtnomioe = NULL;");
  auto db = tdb.Open();
  Recordset header;
  db->GetRs("SELECT * FROM DDT", header);
  CImpCaratula cover;
  cover.BaseDeDatos(*db);
  const ComError e = RaisedError([&] { cover.CargarCabecera(header, 2, "O'BRIEN"); });
  EXPECT_EQ(e.number(), kErrInvalidUseOfNull);
  EXPECT_EQ(e.source(), "Tipolaria - CImpCaratula.CargarCabecera");
  EXPECT_EQ(cover.Campos().Count(), 0);

  // A loader without its database reports it instead of crashing.
  CImpCaratula sin_base;
  EXPECT_EQ(RaisedError([&] { sin_base.GuardarDatos(); }).source(),
            "Tipolaria - CImpCaratula.GuardarDatos");
}

TEST(CImpCaratulaErrorTest, DatabaseErrorsCarryThePathOfLoaders) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_demo.sql"});
  struct Caso {
    const char* falla;
    const char* camino;
  } casos[] = {
      {"FROM DVD WHERE idvd = '2600012345' AND nart = '0000' AND cdvddoc IN",
       "FaultyBackend - CDataBase.GetRs - CImpCaratula.CargarInfoComplementaria"
       " - CImpCaratula.CargarCabecera"},
      {"FROM SVL",
       "FaultyBackend - CDataBase.GetRs - CImpCaratula.CargarSufijos"
       " - CImpCaratula.CargarDatosItem"},
      {"sp_NatLNat",
       "FaultyBackend - CDataBase.ExecSPRs - CDataBase.NatLNat"
       " - CImpCaratula.CargarLiquidacion - CImpCaratula.CargarDatosItem"},
      {"FROM LIQ", "FaultyBackend - CDataBase.GetRs - CImpCaratula.CargarPie"},
  };
  for (const Caso& caso : casos) {
    auto db = OpenFaulty(tdb.connection(), Fault{caso.falla, 1});
    const ComError e = RaisedError([&] { CargarCaratula(*db, "26001IC04000123A"); });
    EXPECT_EQ(e.source(), caso.camino);
  }
}

// The one-field loaders that read the database name themselves, under the
// load that ran them.
TEST(CImpCaratulaErrorTest, OneFieldLoadersNameThemselvesInErrors) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_demo.sql"});
  tdb.Run("UPDATE DDT SET cddtburdst = '001';");
  const std::string consulta = "FaultyBackend - CDataBase.GetRs - ";
  const std::string vigente = "FaultyBackend - CDataBase.GetRs - CDataBase.ValidaRef - ";
  const std::string cabecera = " - CImpCaratula.CargarCabecera";
  const std::string item = " - CImpCaratula.CargarCabItem - CImpCaratula.CargarDatosItem";
  const std::string montos = " - CImpCaratula.CargarMontos - CImpCaratula.CargarDatosItem";
  const struct {
    Fault falla;
    std::string camino;
  } casos[] = {
      {{"FROM TPR"}, consulta + "CImpCaratula.CargarAgenteDeTransporteAduanero" + cabecera},
      {{"FROM PAY", 1}, vigente + "CImpCaratula.CargarBandera" + cabecera},
      {{"FROM PAY", 2}, vigente + "CImpCaratula.CargarPuertoEmbarque" + cabecera},
      {{"FROM BUL"}, consulta + "CImpCaratula.CargarEmbalaje" + cabecera},
      {{"FROM BUR"}, vigente + "CImpCaratula.CargarAduana" + cabecera},
      {{"FROM DEV", 1}, vigente + "CImpCaratula.CargarDivisaFOB" + cabecera},
      {{"FROM DEV", 2}, vigente + "CImpCaratula.CargarDivisaFlete" + cabecera},
      {{"FROM DEV", 3}, vigente + "CImpCaratula.CargarDivisaSeguro" + cabecera},
      {{"FROM EST"}, consulta + "CImpCaratula.CargarEstado" + item},
      {{"FROM PRV"}, consulta + "CImpCaratula.CargarPaisOrigen" + item},
      {{"FROM PAY", 3}, vigente + "CImpCaratula.CargarPaisDestino" + item},
      {{"FROM UMM", 1}, vigente + "CImpCaratula.CargarUnidad" + item},
      {{"FROM UMM", 2}, vigente + "CImpCaratula.CargarUnidadMontos" + montos},
  };
  for (const auto& caso : casos) {
    auto db = OpenFaulty(tdb.connection(), caso.falla);
    EXPECT_EQ(RaisedError([&] { CargarCaratula(*db, "26001IC04000123A"); }).source(), caso.camino);
  }
}

TEST(CImpCaratulaErrorTest, FailedSaveLeavesNoRowOfItAndAGoodSaveReplacesRows) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_demo.sql"});
  tdb.Run("INSERT INTO IMP VALUES (1, 0, 'c5', 'ANTERIOR'), (1, 0, 'c25', 'ANTERIOR');");
  testing::FaultyBackend* backend = nullptr;
  auto db = OpenFaulty(tdb.connection(), Fault{"INSERT INTO imp", 40}, &backend);
  const ComError e = RaisedError([&] { CargarCaratula(*db, "26001IC04000123A"); });
  EXPECT_TRUE(e.source().ends_with(" - CDataBase.ExecuteSQL - CImpCaratula.GuardarDatos"))
      << e.source();
  EXPECT_EQ(backend->log().back(), "ROLLBACK");
  EXPECT_EQ(LeerPagina(tdb), (Pagina{{5, "ANTERIOR"}, {25, "ANTERIOR"}}));

  auto good = tdb.Open();
  CargarCaratula(*good, "26001IC04000123A");
  Pagina pagina = LeerPagina(tdb);
  EXPECT_EQ(pagina[5], "DISTRIBUIDORA PATAGÓNICA S.A.    (IVA INS: RESPONSABLE INSCRIPTO)");
  // A blank value writes nothing and leaves the earlier row of its field.
  EXPECT_EQ(pagina[25], "ANTERIOR");
}

TEST(CImpCaratulaErrorTest, QuotesInKeysAreDoubledInEveryQuery) {
  TestDatabase tdb;
  CargarDatos(tdb, {"decl_demo.sql"});
  auto db = tdb.Open();
  CargarCaratula(*db, "26001IC04000123A");
  const Pagina original = LeerPagina(tdb);

  // The same declaration under an internal id holding a quote.
  tdb.Run("DELETE FROM IMP;");
  const char* claves[][2] = {{"DDT", "iddt"}, {"TPR", "iddt"}, {"BUL", "iddt"}, {"LGP", "iddt"},
                             {"LPP", "iddt"}, {"CPL", "icpl"}, {"DVD", "idvd"}, {"ART", "iddt"},
                             {"DSC", "iddt"}, {"SBT", "iddt"}, {"SVL", "iddt"}, {"SRG", "isrg"},
                             {"LQA", "iliq"}, {"LIT", "iliq"}, {"LIQ", "iliq"}};
  for (const auto& [tabla, columna] : claves) {
    tdb.Run(std::string("UPDATE ") + tabla + " SET " + columna + " = 'O''2600012345' WHERE " +
            columna + " = '2600012345';");
  }
  CargarCaratula(*db, "26001IC04000123A");
  EXPECT_EQ(LeerPagina(tdb), original);
}

}  // namespace
}  // namespace tipolaria
