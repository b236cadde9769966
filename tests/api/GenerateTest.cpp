// GenerateIMP through the public class: its JSON results and what it leaves
// in the driver and the work table.
#include <gtest/gtest.h>

#include "api/ComponentState.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/cprint.hpp"

namespace tipolaria {
namespace {

using detail::State;

constexpr const char* kOk = R"({"Result": "OK"})";
constexpr const char* kIddtext = "16001IC04000123A";

class GenerateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CPrint().Finalize();
    print_.SetHojaDesde(0);
    print_.SetHojaHasta(0);
    tdb_.Run(R"(
      INSERT INTO DDT (iddt, iddtext, ista, cddtimpexp, cddtbur)
        VALUES ('D1', '16001IC04000123A', 'IC04', 'I', '001');
      INSERT INTO BUR VALUES ('001', 'BUENOS AIRES', '2020-01-01', '2099-01-01');
    )");
  }
  void TearDown() override { CPrint().Finalize(); }

  std::string Generate(const std::string& iddtext, const std::string& idorig = "") {
    return print_.GenerateIMP("BROKER", iddtext, idorig, "05/12/2026", 1, "R", "RAMO", "M",
                              "ADUANA DE BUENOS AIRES CENTRO", "E1");
  }
  std::vector<std::string> Imp() const {
    return tdb_.Column(
        "SELECT NRO_HOJA || ' ' || NRO_CAMPO || '=' || VALOR FROM IMP "
        "WHERE NRO_CAMPO IN ('c3', 'c4', 'cQOR1') ORDER BY rowid");
  }

  testing::TestDatabase tdb_;
  CPrint print_;
};

TEST_F(GenerateTest, GeneratesTheDeclarationAndKeepsItsParameters) {
  ASSERT_TRUE(print_.Init(tdb_.connection()));
  print_.SetHojaDesde(3);
  print_.SetHojaHasta(5);
  print_.SetCaratulaHojas(9);  // replaced by what the generation computes
  print_.SetReferenciaCliente("REF 42");
  EXPECT_EQ(Generate(kIddtext), kOk);
  EXPECT_EQ(Imp(), (std::vector<std::string>{"1 c4=1 de 1", "1 c3=16   001   IC04   000123   A",
                                             "1 cQOR1=REF 42"}));
  EXPECT_EQ(print_.GetHojaDesde(), "1");  // clamped before the generation
  EXPECT_EQ(print_.GetHojaHasta(), "5");
  EXPECT_EQ(print_.GetCaratulaHojas(), "1");
  const CTipolaria& driver = *State().gDriver;
  EXPECT_EQ(driver.TotalHojas, 1);
  EXPECT_EQ(driver.IdOrig, kIddtext);  // the one identifier given fills both
  EXPECT_EQ(driver.Iddtext, kIddtext);
  EXPECT_EQ(driver.Rotulo, "OFICIALIZADO - ADUANA DE BUENOS AIR - E1");
  EXPECT_EQ(driver.FecOfi, "05/12/2026");
  EXPECT_EQ(driver.Oper, 1);
  EXPECT_EQ(driver.Canal, "R");
  EXPECT_EQ(driver.NumeroCopias, 1);
}

TEST_F(GenerateTest, NotInitialised) {
  const std::string expected =
      R"({"Result": "ERR", "errorMessage": "Primero debe inicializar la dll", )"
      R"("source":"InitializePagesData - InitializePagesData - GenerateIMP"})";
  EXPECT_EQ(Generate(kIddtext), expected);
  print_.CleanIMP();  // a driver without a database is still not initialised
  EXPECT_EQ(Generate(kIddtext), expected);
}

TEST_F(GenerateTest, UnknownDeclarationIsAFailureAndLeavesTheTableEmpty) {
  ASSERT_TRUE(print_.Init(tdb_.connection()));
  ASSERT_EQ(Generate(kIddtext), kOk);
  EXPECT_EQ(Generate("16001IC04999999X"),
            R"({"Result": "ERR", "errorMessage": "No se encontró la declaración )"
            R"('16001IC04999999X'", "source":"GenerateIMP - GenerateIMP"})");
  EXPECT_TRUE(Imp().empty());
  // The declaration is looked up by iddtext alone: an origin identifier by
  // itself names no declaration, though both properties carry it.
  EXPECT_EQ(Generate("", kIddtext),
            R"({"Result": "ERR", "errorMessage": "No se encontró la declaración ''", )"
            R"("source":"GenerateIMP - GenerateIMP"})");
  EXPECT_EQ(State().gDriver->Iddtext, kIddtext);
}

TEST_F(GenerateTest, NullKeyColumnsReportInvalidUseOfNull) {
  ASSERT_TRUE(print_.Init(tdb_.connection()));
  const std::string expected = R"({"Result": "ERR", "errorMessage": "Invalid use of Null", )"
                               R"("source":"Tipolaria - CTipolaria.CargarCampos - GenerateIMP"})";
  tdb_.Run("UPDATE DDT SET iddt = NULL");
  EXPECT_EQ(Generate(kIddtext), expected);
  tdb_.Run("UPDATE DDT SET iddt = 'D1', ista = NULL");
  EXPECT_EQ(Generate(kIddtext), expected);
}

}  // namespace
}  // namespace tipolaria
