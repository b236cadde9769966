// A whole generation through the driver, with the real cover loader.
#include <gtest/gtest.h>

#include "core/CTipolaria.hpp"
#include "support/FaultyBackend.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;

constexpr const char* kIddtext = "16001IC04000123A";

class CTipolariaGeneracionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.Run(R"(
      INSERT INTO DDT (iddt, iddtext, idal, ista, cddtimpexp, cddtbur)
        VALUES ('D1', '16001IC04000123A', 'AL1', 'IC04', 'I', '001');
      INSERT INTO BUR VALUES ('001', 'BUENOS AIRES', '2020-01-01', '2099-01-01');
      INSERT INTO STA (ISTA, lsta, DSTAEFF, DSTAFIN)
        VALUES ('IC04', 'IMPO A CONSUMO', '2020-01-01', '2099-01-01');
    )");
    db_ = tdb_.Open();
    driver_.Oper = 1;
    driver_.LiquidacionImpresa = true;
    driver_.ReferenciaCliente = "CLI";
  }

  std::vector<std::string> Rows(const std::string& where) const {
    return tdb_.Column(
        "SELECT NRO_HOJA || ' ' || TIPO || ' ' || NRO_CAMPO || '=' || VALOR "
        "FROM IMP WHERE " +
        where + " ORDER BY rowid");
  }
  std::string SourceOnFailure(CDataBase& db) {
    try {
      driver_.CargarCampos(db, kIddtext, "", "05/12/2026", "");
    } catch (const ComError& e) {
      return e.source();
    }
    return "no error";
  }

  TestDatabase tdb_;
  std::unique_ptr<CDataBase> db_;
  CTipolaria driver_;
};

TEST_F(CTipolariaGeneracionTest, CoverIsTheOnlyPageAndCarriesNumberAndHeader) {
  tdb_.Run("INSERT INTO IMP VALUES (7, 1, 'c5', 'left over')");
  ASSERT_TRUE(driver_.CargarCampos(*db_, kIddtext, "", "05/12/2026 11:00:00", "BROKER"));
  EXPECT_EQ(driver_.TotalHojas, 1);
  EXPECT_EQ(driver_.CaratulaHojas, 1);
  EXPECT_EQ(driver_.ImpExp, "I");
  EXPECT_EQ(driver_.Idal, "AL1");
  EXPECT_TRUE(Rows("NRO_HOJA <> 1").empty());
  EXPECT_EQ(Rows("NRO_CAMPO IN ('c1', 'c2', 'c3', 'c4', 'cQOR1', 'c149')"),
            (std::vector<std::string>{"1 0 c4=1 de 1", "1 0 c1=BUENOS AIRES", "1 0 c2=05/12/2026",
                                      "1 0 c3=16   001   IC04   000123   A", "1 0 cQOR1=CLI",
                                      "1 0 c149=IMPO A CONSUMO"}));
  // The cover's own fields are saved before the page number.
  EXPECT_FALSE(Rows("NRO_CAMPO = 'c144'").empty());
}

TEST_F(CTipolariaGeneracionTest, ReferenceIsIdOrigWhenGiven) {
  ASSERT_TRUE(driver_.CargarCampos(*db_, kIddtext, "16001EC01000777@", "", ""));
  EXPECT_EQ(Rows("NRO_CAMPO = 'c3'"), std::vector<std::string>{"1 0 c3=16   001   EC01   000777"});
}

TEST_F(CTipolariaGeneracionTest, UnknownDeclarationLeavesTheTableEmpty) {
  tdb_.Run("INSERT INTO IMP VALUES (1, 0, 'c5', 'previous declaration')");
  EXPECT_FALSE(driver_.CargarCampos(*db_, "NOPE", "", "", ""));
  // A quote in the identifier is data, not SQL.
  EXPECT_FALSE(driver_.CargarCampos(*db_, "16001IC04000123A' OR '1' = '1", "", "", ""));
  EXPECT_TRUE(Rows("1 = 1").empty());
  EXPECT_EQ(driver_.TotalHojas, 0);
}

TEST_F(CTipolariaGeneracionTest, NullKeysFailWithInvalidUseOfNull) {
  tdb_.Run("UPDATE DDT SET iddt = NULL");
  try {
    driver_.CargarCampos(*db_, kIddtext, "", "", "");
    FAIL() << "expected an error";
  } catch (const ComError& e) {
    EXPECT_EQ(e.number(), 94);
    EXPECT_EQ(e.source(), "Tipolaria - CTipolaria.CargarCampos");
  }
  EXPECT_TRUE(Rows("1 = 1").empty());  // nothing loaded before the key was read

  tdb_.Run("UPDATE DDT SET iddt = 'D1', ista = NULL");
  try {
    driver_.CargarCampos(*db_, kIddtext, "", "", "");
    FAIL() << "expected an error";
  } catch (const ComError& e) {
    EXPECT_EQ(e.number(), 94);
    EXPECT_EQ(e.source(), "Tipolaria - CTipolaria.CargarCampos");
  }
  // The pages written before the header stay.
  EXPECT_EQ(Rows("NRO_CAMPO = 'c4'"), std::vector<std::string>{"1 0 c4=1 de 1"});
  EXPECT_TRUE(Rows("NRO_CAMPO = 'c1'").empty());
}

TEST_F(CTipolariaGeneracionTest, ErrorsCarryThePathThroughCargarCampos) {
  const struct {
    std::string fails_on, source;
  } cases[] = {
      {"TRUNCATE", "FaultyBackend - CDataBase.ExecuteSQL - CTipolaria.ClearImp"},
      {"FROM DDT", "FaultyBackend - CDataBase.GetRs"},
      {"'c4', '", "FaultyBackend - CDataBase.ExecuteSQL - CTipolaria.NumerarPaginas"},
      {"'c2', '",
       "FaultyBackend - CDataBase.ExecuteSQL - CTipolaria.EjecutarInsertImp - "
       "CTipolaria.CargarEncabezados"},
  };
  for (const auto& c : cases) {
    auto db = testing::OpenFaulty(tdb_.connection(), {c.fails_on});
    EXPECT_EQ(SourceOnFailure(*db), c.source + " - CTipolaria.CargarCampos") << c.fails_on;
  }
  // A loader's error passes through its own trap first.
  auto db = testing::OpenFaulty(tdb_.connection(), {"INSERT INTO imp ( NRO_HOJA"});
  const std::string source = SourceOnFailure(*db);
  EXPECT_TRUE(source.ends_with(" - CImpCaratula.GuardarDatos - CTipolaria.CargarCampos")) << source;
}

}  // namespace
}  // namespace tipolaria
