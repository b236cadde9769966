// A whole generation through the driver, with the real cover loader.
#include <gtest/gtest.h>

#include "core/CTipolaria.hpp"
#include "support/ErrorNumber.hpp"
#include "support/FaultyBackend.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

constexpr const char* kIddtext = "16001IC04000123A";

class CTipolariaGeneracionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.Run(R"(
      INSERT INTO DDT (iddt, iddtext, idal, ista, cddtimpexp, cddtbur)
        VALUES ('D1', '16001IC04000123A', 'AL1', 'IC04', 'I', '001');
      INSERT INTO BUR VALUES ('001', 'BUENOS AIRES', '2020-01-01', '2099-01-01');
      INSERT INTO IMP VALUES (7, 1, 'c5', 'previous declaration');
    )");
    driver_.Oper = 1;
  }
  std::vector<std::string> Rows(const std::string& where) const { return tdb_.ImpRows(where); }

  testing::TestDatabase tdb_;
  CTipolaria driver_;
};

TEST_F(CTipolariaGeneracionTest, WithoutItemsTheCoverIsTheOnlyPageOfType0) {
  auto db = tdb_.Open();
  ASSERT_TRUE(driver_.CargarCampos(*db, kIddtext, "16001EC01000777@", "05/12/2026 11:00", ""));
  // The declaration's idal goes to a continuation page of its own.
  EXPECT_EQ(driver_.TotalHojas, 2);
  EXPECT_EQ(driver_.CaratulaHojas, 1);
  EXPECT_EQ(driver_.ImpExp + driver_.Idal, "IAL1");
  EXPECT_TRUE(Rows("NRO_HOJA <> 1 AND NRO_HOJA <> 2 OR NRO_HOJA = 2 AND TIPO <> 1").empty());
  EXPECT_EQ(Rows("NRO_CAMPO IN ('c2', 'c3', 'c4')"),
            (std::vector<std::string>{"1 0 c4=1 de 2", "2 1 c4=2 de 2", "1 0 c2=05/12/2026",
                                      "1 0 c3=16   001   EC01   000777",  // idorig
                                      "2 1 c2=05/12/2026", "2 1 c3=16   001   EC01   000777"}));
  EXPECT_FALSE(Rows("NRO_CAMPO = 'c144'").empty());  // the cover's own footer

  // An unknown declaration (a quote in it is data, not SQL) leaves IMP empty.
  EXPECT_FALSE(driver_.CargarCampos(*db, "X' OR '1' = '1", "", "", ""));
  EXPECT_TRUE(Rows("1 = 1").empty());
}

TEST_F(CTipolariaGeneracionTest, ErrorsCarryThePathThroughCargarCampos) {
  const struct {
    std::string fails_on, source;
  } cases[] = {
      {"TRUNCATE", "FaultyBackend - CDataBase.ExecuteSQL - CTipolaria.ClearImp"},
      {"'c4', '", "FaultyBackend - CDataBase.ExecuteSQL - CTipolaria.NumerarPaginas"},
      {"'c2', '",
       "FaultyBackend - CDataBase.ExecuteSQL - CTipolaria.EjecutarInsertImp - "
       "CTipolaria.CargarEncabezados"},
      {"INSERT INTO imp ( NRO_HOJA, TIPO, NRO_CAMPO, Valor) VALUES(1, 0",
       "FaultyBackend - CDataBase.ExecuteSQL - CImpCaratula.GuardarDatos"},
  };
  for (const auto& c : cases) {
    auto db = testing::OpenFaulty(tdb_.connection(), {c.fails_on});
    EXPECT_EQ(
        RaisedError([&] { driver_.CargarCampos(*db, kIddtext, "", "05/12/2026", ""); }).source(),
        c.source + " - CTipolaria.CargarCampos");
  }
}

}  // namespace
}  // namespace tipolaria
