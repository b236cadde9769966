// The driver's label, page numbers and page headers.
#include "core/CTipolaria.hpp"

#include <gtest/gtest.h>

#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

TEST(CTipolariaTest, DefineRotulo) {
  const struct {
    std::int16_t estado;
    std::string org, eta, before, label;
  } cases[] = {
      {0, "", "", "", "TIPOLARIA PROVISORIA"},
      {4, "", "", "", "RETIPOLARIA"},
      {5, "", "", "", "POSTEMBARQUE"},
      {3, "", "", "KEPT", "KEPT"},  // other states leave the label as it was
      {1, "ADUANA DE BUENOS AIRES CENTRO ", "X1", "",
       "OFICIALIZADO - ADUANA DE BUENOS AIR - X1"},  // 30 characters: the first 20
      {1, " ORG", "", "", "OFICIALIZADO -  ORG"},    // cut, not trimmed
      {1, "   ", "X1", "", "OFICIALIZADO"},          // an eta without an org is ignored
      {1, "ORG", "  ", "", "OFICIALIZADO - ORG"},    // nor is a blank eta
      {2, "ORG", "E", "", " - ORG - E"},
      {1, "ÑANDÚ ÁÉÍÓÚ ÑANDÚ ÁÉÍÓÚ", "", "", "OFICIALIZADO - ÑANDÚ ÁÉÍÓÚ ÑANDÚ ÁÉ"},
  };
  for (const auto& c : cases) {
    CTipolaria driver;
    driver.Rotulo = c.before;
    driver.DefineRotulo(c.estado, c.org, c.eta);
    EXPECT_EQ(driver.Rotulo, c.label) << c.estado << " '" << c.org << "' '" << c.eta << "'";
  }
}

class CTipolariaPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.Run(R"(
      INSERT INTO BUR VALUES ('001', 'BUENOS AIRES', '2020-01-01', '2099-01-01'),
                             ('073', 'EZEIZA', '2020-01-01', '2026-12-05');
      INSERT INTO STA (ISTA, lsta, DSTAEFF, DSTAFIN)
        VALUES ('IC04', 'IMPO A CONSUMO', '2020-01-01', '2099-01-01');
    )");
    db_ = tdb_.Open();
  }
  std::vector<std::string> Rows(const std::string& where = "1 = 1") const {
    return tdb_.ImpRows(where);
  }

  testing::TestDatabase tdb_;
  std::unique_ptr<CDataBase> db_;
  CTipolaria driver_;
};

TEST_F(CTipolariaPagesTest, PageNumbersAndHeadersOnEveryPage) {
  driver_.ReferenciaCliente = "CLI'1";
  driver_.NumerarPaginas(*db_, 3, 2);
  driver_.CargarEncabezados(*db_, "16001IC04000123A", "IC04", "05/12/2026 10:30:00", "001", 3, 2);
  EXPECT_EQ(Rows("NRO_CAMPO = 'c4'"),
            (std::vector<std::string>{"1 0 c4=1 de 3", "2 0 c4=2 de 3", "3 1 c4=3 de 3"}));
  EXPECT_EQ(Rows("NRO_HOJA = 3 AND NRO_CAMPO <> 'c4'"),
            (std::vector<std::string>{"3 1 c1=BUENOS AIRES", "3 1 c2=05/12/2026",
                                      "3 1 c3=16   001   IC04   000123   A", "3 1 cQOR1=CLI'1",
                                      "3 1 c149=IMPO A CONSUMO"}));
  EXPECT_EQ(Rows("NRO_CAMPO = 'c149'").size(), 3u);

  // An office no longer valid and an unknown sub-regime write no row; a
  // blank client reference is text and is written.
  tdb_.Run("DELETE FROM IMP");
  driver_.ReferenciaCliente = " ";
  driver_.CargarEncabezados(*db_, "16001IC04000123@", "XX", "", "073", 1, 1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1 0 c3=16   001   IC04   000123", "1 0 cQOR1= "}));
}

TEST_F(CTipolariaPagesTest, ReferenceGrouping) {
  const struct {
    std::string reference, grouped;
  } cases[] = {
      {"16001IC04000123AXYZ", "16   001   IC04   000123   A"},
      {"16001IC04000123@XYZ", "16   001   IC04   000123"},
      {"16001IC04", "16   001   IC04      "},  // short: the blanks of the missing groups
      {"Ñ6001IC04000123Á", "Ñ6   001   IC04   000123   Á"},  // characters, not bytes
  };
  for (const auto& c : cases) {
    tdb_.Run("DELETE FROM IMP");
    driver_.CargarEncabezados(*db_, c.reference, "", "", "", 1, 1);
    EXPECT_EQ(Rows("NRO_CAMPO = 'c3'"), std::vector<std::string>{"1 0 c3=" + c.grouped});
  }
}

}  // namespace
}  // namespace tipolaria
