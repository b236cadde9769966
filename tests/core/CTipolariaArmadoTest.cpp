// The assembly of a whole declaration by the driver: the cover, one item page
// for every further item and the continuation pages, numbered and headed.
#include <gtest/gtest.h>

#include "core/CTipolaria.hpp"
#include "runtime/Trap.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

constexpr const char* kDemo = "26001IC04000123A";

class CTipolariaArmadoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.RunScript("decl_catalogo.sql");
    tdb_.RunScript("decl_demo.sql");
    driver_.Oper = 1;
    driver_.LiquidacionImpresa = true;
    driver_.Rotulo = "OFICIALIZADO";
  }
  bool Generar() {
    auto db = tdb_.Open();
    return driver_.CargarCampos(*db, kDemo, "", "05/12/2026 10:42:17", "O'BRIEN");
  }
  // "page type field=value" of the rows that match `where`, in page order.
  std::vector<std::string> Rows(const std::string& where) const {
    return tdb_.Column(
        "SELECT NRO_HOJA || ' ' || TIPO || ' ' || NRO_CAMPO || '=' || VALOR FROM IMP WHERE " +
        where + " ORDER BY NRO_HOJA, rowid");
  }
  ComError ErrorDeGenerar() {
    try {
      Generar();
    } catch (const ComError& e) {
      return e;
    }
    ADD_FAILURE() << "no error";
    return ComError(0, "", "");
  }

  testing::TestDatabase tdb_;
  CTipolaria driver_;
};

TEST_F(CTipolariaArmadoTest, EveryItemAfterTheFirstGetsItsOwnNumberedPage) {
  ASSERT_TRUE(Generar());
  EXPECT_EQ(driver_.CaratulaHojas, 3);
  EXPECT_EQ(Rows("NRO_CAMPO IN ('c4', 'c38')"),
            (std::vector<std::string>{
                "1 0 c38=0001", "1 0 c4=1 de " + std::to_string(driver_.TotalHojas), "2 0 c38=0002",
                "2 0 c4=2 de " + std::to_string(driver_.TotalHojas), "3 0 c38=0003",
                "3 0 c4=3 de " + std::to_string(driver_.TotalHojas)}));
  // Each item page has the header, its own footer and no declaration totals.
  for (const char* hoja : {"2", "3"}) {
    const std::string pagina = std::string("NRO_HOJA = ") + hoja + " AND ";
    EXPECT_EQ(Rows(pagina + "NRO_CAMPO IN ('c1', 'c3', 'c149')").size(), 3u) << hoja;
    EXPECT_EQ(Rows(pagina + "NRO_CAMPO = 'c144'").size(), 1u) << hoja;
    EXPECT_TRUE(Rows(pagina + "NRO_CAMPO IN ('c5', 'c137', 'c138', 'c139')").empty()) << hoja;
  }
}

TEST_F(CTipolariaArmadoTest, WithoutAnItem0001TheFirstItemSharesTheCoverPage) {
  tdb_.Run("UPDATE ART SET nartext = printf('%04d', nart + 4) WHERE iddt = '2600012345';");
  ASSERT_TRUE(Generar());
  EXPECT_EQ(driver_.CaratulaHojas, 3);
  // The first item was saved on page 1, under the cover's fields; the cover
  // loaded no item, so its item fields stay those of the first item.
  EXPECT_EQ(Rows("NRO_CAMPO = 'c38'"),
            (std::vector<std::string>{"1 0 c38=0005", "2 0 c38=0006", "3 0 c38=0007"}));
  EXPECT_EQ(Rows("NRO_HOJA = 1 AND NRO_CAMPO = 'c5'").size(), 1u);
}

TEST_F(CTipolariaArmadoTest, ItemsThatCannotBeNumberedEndTheGeneration) {
  // Page numbers are 16-bit: a driver already counting near the end
  // overflows on the item that would take page 32768, never wrapping.
  driver_.TotalHojas = 32765;
  ComError e = ErrorDeGenerar();
  EXPECT_EQ(e.number(), kErrOverflow);
  EXPECT_EQ(e.source(), "Tipolaria - CTipolaria.CargarCampos");
  EXPECT_EQ(Rows("NRO_CAMPO = 'c38'"), (std::vector<std::string>{"32767 0 c38=0002"}));

  // An item without a number cannot be followed onto the continuation pages.
  driver_ = CTipolaria();
  tdb_.Run("UPDATE ART SET nart = NULL WHERE nartext = '0003';");
  e = ErrorDeGenerar();
  EXPECT_EQ(e.number(), kErrInvalidUseOfNull);
  EXPECT_EQ(e.source(), "Tipolaria - CTipolaria.CargarCampos");
}

}  // namespace
}  // namespace tipolaria
