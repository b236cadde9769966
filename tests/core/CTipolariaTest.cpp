// The driver's label, page numbers and page headers.
#include "core/CTipolaria.hpp"

#include <gtest/gtest.h>

#include "support/FaultyBackend.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;

TEST(CTipolariaTest, DefineRotulo) {
  const std::string org30 = "ADUANA DE BUENOS AIRES CENTRO ";  // 30 characters
  const struct {
    std::int16_t estado;
    std::string org, eta, before, label;
  } cases[] = {
      {0, "", "", "", "TIPOLARIA PROVISORIA"},
      {1, "", "", "", "OFICIALIZADO"},
      {4, "", "", "", "RETIPOLARIA"},
      {5, "", "", "", "POSTEMBARQUE"},
      {2, "", "", "", ""},
      {3, "", "", "KEPT", "KEPT"},  // other states leave the label as it was
      {1, org30, "X1", "", "OFICIALIZADO - ADUANA DE BUENOS AIR - X1"},
      {1, " ORG", "", "", "OFICIALIZADO -  ORG"},  // the org is cut, not trimmed
      {1, "   ", "X1", "", "OFICIALIZADO"},        // an eta without an org is ignored
      {1, "", "X1", "", "OFICIALIZADO"},
      {1, "ORG", "  ", "", "OFICIALIZADO - ORG"},
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
      INSERT INTO BUR VALUES ('001', 'BUENOS AIRES', '2020-01-01', '2099-01-01');
      INSERT INTO BUR VALUES ('073', 'EZEIZA', '2020-01-01', '2026-12-05');
      INSERT INTO STA (ISTA, lsta, DSTAEFF, DSTAFIN)
        VALUES ('IC04', 'IMPO A CONSUMO', '2020-01-01', '2099-01-01');
    )");
    db_ = tdb_.Open();
  }

  // "page tipo field=value" of every IMP row, in the order written.
  std::vector<std::string> Rows(const std::string& where = "1 = 1") const {
    return tdb_.Column(
        "SELECT NRO_HOJA || ' ' || TIPO || ' ' || NRO_CAMPO || '=' || VALOR "
        "FROM IMP WHERE " +
        where + " ORDER BY rowid");
  }

  TestDatabase tdb_;
  std::unique_ptr<CDataBase> db_;
  CTipolaria driver_;
};

TEST_F(CTipolariaPagesTest, NumerarPaginasTypesPagesAfterTheCoverReport) {
  driver_.NumerarPaginas(*db_, 4, 2);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1 0 c4=1 de 4", "2 0 c4=2 de 4", "3 1 c4=3 de 4",
                                              "4 1 c4=4 de 4"}));
}

TEST_F(CTipolariaPagesTest, HeadersOnEveryPage) {
  driver_.ReferenciaCliente = "CLI'1";
  driver_.CargarEncabezados(*db_, "16001IC04000123A", "IC04", "05/12/2026 10:30:00", "001", 2, 1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{
                        "1 0 c1=BUENOS AIRES",
                        "1 0 c2=05/12/2026",
                        "1 0 c3=16   001   IC04   000123   A",
                        "1 0 cQOR1=CLI'1",
                        "1 0 c149=IMPO A CONSUMO",
                        "2 1 c1=BUENOS AIRES",
                        "2 1 c2=05/12/2026",
                        "2 1 c3=16   001   IC04   000123   A",
                        "2 1 cQOR1=CLI'1",
                        "2 1 c149=IMPO A CONSUMO",
                    }));
}

TEST_F(CTipolariaPagesTest, HeaderFieldsWithoutValues) {
  // An office no longer valid and an unknown sub-regime write no row; a
  // blank client reference is text and is written.
  driver_.ReferenciaCliente = " ";
  driver_.CargarEncabezados(*db_, "16001IC04000123@", "XX", "", "073", 1, 1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1 0 c3=16   001   IC04   000123", "1 0 cQOR1= "}));
}

TEST_F(CTipolariaPagesTest, ReferenceGrouping) {
  const struct {
    std::string reference, grouped;
  } cases[] = {
      {"16001IC04000123A", "16   001   IC04   000123   A"},
      {"16001IC04000123@", "16   001   IC04   000123"},
      {"16001IC04000123@XYZ", "16   001   IC04   000123"},
      {"16001IC04000123AXYZ", "16   001   IC04   000123   A"},
      {"16001IC04", "16   001   IC04      "},  // short: the blanks of the missing groups
      {"", "            "},
      {"Ñ6001IC04000123Á", "Ñ6   001   IC04   000123   Á"},  // characters, not bytes
  };
  for (const auto& c : cases) {
    tdb_.Run("DELETE FROM IMP");
    driver_.CargarEncabezados(*db_, c.reference, "", "", "", 1, 1);
    EXPECT_EQ(Rows("NRO_CAMPO = 'c3'"), std::vector<std::string>{"1 0 c3=" + c.grouped})
        << c.reference;
  }
}

TEST_F(CTipolariaPagesTest, NoPagesNoRows) {
  driver_.NumerarPaginas(*db_, 0, 1);
  driver_.CargarEncabezados(*db_, "16001IC04000123A", "IC04", "05/12/2026", "001", 0, 1);
  EXPECT_TRUE(Rows().empty());
}

TEST_F(CTipolariaPagesTest, ErrorsCarryTheDriversPath) {
  const auto source_of = [&](const std::string& fails_on, auto operation) {
    auto db = testing::OpenFaulty(tdb_.connection(), {fails_on});
    try {
      operation(*db);
    } catch (const ComError& e) {
      return e.source();
    }
    return std::string("no error");
  };
  EXPECT_EQ(source_of("TRUNCATE", [&](CDataBase& db) { driver_.ClearImp(db); }),
            "FaultyBackend - CDataBase.ExecuteSQL - CTipolaria.ClearImp");
  EXPECT_EQ(source_of("'c4'", [&](CDataBase& db) { driver_.NumerarPaginas(db, 2, 1); }),
            "FaultyBackend - CDataBase.ExecuteSQL - CTipolaria.NumerarPaginas");
  EXPECT_EQ(source_of("'c149'",
                      [&](CDataBase& db) {
                        driver_.CargarEncabezados(db, "R", "IC04", "", "001", 1, 1);
                      }),
            "FaultyBackend - CDataBase.ExecuteSQL - CTipolaria.EjecutarInsertImp - "
            "CTipolaria.CargarEncabezados");
  EXPECT_EQ(source_of("FROM STA",
                      [&](CDataBase& db) {
                        driver_.CargarEncabezados(db, "R", "IC04", "", "001", 1, 1);
                      }),
            "FaultyBackend - CDataBase.GetRs - CDataBase.ValidaRef - "
            "CTipolaria.CargarEncabezados");
}

}  // namespace
}  // namespace tipolaria
