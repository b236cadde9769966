// GenerateIMP through the public class: its JSON results and what it leaves
// in the driver.
#include <gtest/gtest.h>

#include "api/ComponentState.hpp"
#include "support/JsonResults.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/cprint.hpp"

namespace tipolaria {
namespace {

using testing::kOk;
constexpr const char* kIddtext = "16001IC04000123A";

class GenerateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CPrint().Finalize();
    print_.SetHojaDesde(3);
    print_.SetHojaHasta(5);
    tdb_.Run(R"(INSERT INTO DDT (iddt, iddtext, ista, cddtimpexp, cddtbur)
                VALUES ('D1', '16001IC04000123A', 'IC04', 'I', '001'))");
  }
  void TearDown() override { CPrint().Finalize(); }

  std::string Generate(const std::string& iddtext, const std::string& idorig = "") {
    return print_.GenerateIMP("BROKER", iddtext, idorig, "05/12/2026", 1, "R", "RAMO", "M",
                              "ADUANA DE BUENOS AIRES CENTRO", "E1");
  }
  std::string Failure(const std::string& description, const std::string& source) {
    return R"({"Result": "ERR", "errorMessage": ")" + description + R"(", "source":")" + source +
           R"( - GenerateIMP"})";
  }

  testing::TestDatabase tdb_;
  CPrint print_;
};

TEST_F(GenerateTest, GeneratesAndKeepsTheParametersInTheDriver) {
  EXPECT_EQ(Generate(kIddtext), Failure("Primero debe inicializar la dll",
                                        "InitializePagesData - InitializePagesData"));

  ASSERT_TRUE(print_.Init(tdb_.connection()));
  print_.SetCaratulaHojas(9);  // replaced by what the generation computes
  EXPECT_EQ(Generate(kIddtext), kOk);
  EXPECT_EQ(print_.GetHojaDesde(), "1");  // clamped before the generation
  EXPECT_EQ(print_.GetHojaHasta(), "5");
  EXPECT_EQ(print_.GetCaratulaHojas(), "1");
  const CTipolaria& driver = *detail::State().gDriver;
  EXPECT_EQ(driver.Rotulo, "OFICIALIZADO - ADUANA DE BUENOS AIR - E1");
}

TEST_F(GenerateTest, ANulInADatabaseTextIsDroppedNotACutStatement) {
  if (testing::TestDatabase::ThroughOdbc()) {
    GTEST_SKIP() << "the SQLite ODBC driver reads a text only up to a NUL";
  }
  tdb_.RunScript("decl_catalogo.sql");
  tdb_.RunScript("decl_demo.sql");
  tdb_.Run("UPDATE DDT SET lddtnomfod = 'SHENZHEN' || char(0) || ' HUAWEN'");
  ASSERT_TRUE(print_.Init(tdb_.connection()));
  EXPECT_EQ(Generate("26001IC04000123A"), kOk);
  EXPECT_EQ(tdb_.Column("SELECT VALOR FROM IMP WHERE TIPO = 0 AND NRO_CAMPO = 'c11'"),
            std::vector<std::string>{"SHENZHEN HUAWEN"});
}

TEST_F(GenerateTest, FailuresReachTheHostAsJson) {
  ASSERT_TRUE(print_.Init(tdb_.connection()));
  EXPECT_EQ(Generate("16001IC04999999X"),
            Failure("No se encontró la declaración '16001IC04999999X'", "GenerateIMP"));
  EXPECT_EQ(detail::DefaultSession().GetLastFailure()->number(), kErrDeclarationNotFound);
  EXPECT_TRUE(tdb_.Column("SELECT * FROM IMP").empty());
  // The declaration is looked up by iddtext alone, not by an origin
  // identifier given by itself.
  EXPECT_EQ(Generate("", kIddtext), Failure("No se encontró la declaración ''", "GenerateIMP"));

  const std::string null_key =
      Failure("Invalid use of Null", "Tipolaria - CTipolaria.CargarCampos");
  tdb_.Run("UPDATE DDT SET iddt = NULL");
  EXPECT_EQ(Generate(kIddtext), null_key);
  tdb_.Run("UPDATE DDT SET iddt = 'D1', ista = NULL");
  EXPECT_EQ(Generate(kIddtext), null_key);
}

}  // namespace
}  // namespace tipolaria
