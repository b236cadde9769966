// The coded-parameter lookups and the validity-dated reference lookups, on a
// real database.
#include <gtest/gtest.h>

#include "data/CDataBase.hpp"
#include "support/ErrorNumber.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;

class LookupsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.Run(
        "INSERT INTO PTR VALUES ('CODTAX', '010', 'DERECHOS DE IMPORTACION', 10);"
        "INSERT INTO PTR VALUES ('CODTAX', '010', 'SEGUNDA FILA', 99);"
        "INSERT INTO PTR VALUES ('TABON', 'ADU', 'ADUANA', 1), ('TABON', 'O''B', 'COMILLA', 3);"
        "INSERT INTO PTR VALUES ('CODDOC', 'FAC', NULL, 4);"
        "INSERT INTO STA VALUES ('EC01', 'CONSUMO', NULL, NULL, 'ADU', 'O1', "
        "  '2026-12-05 00:00:00', '2027-01-01');"
        "INSERT INTO STA VALUES ('EC02', 'VENCIDO', NULL, NULL, 'ADU', 'O1', "
        "  '2020-01-01', '2026-12-05 00:00:00');"
        "INSERT INTO STA VALUES ('O''B', 'CON COMILLA', NULL, NULL, NULL, NULL, "
        "  '2020-01-01', '2030-01-01');");
    db_ = tdb_.Open();
  }

  TestDatabase tdb_;
  std::unique_ptr<CDataBase> db_;
};

TEST_F(LookupsTest, ParameterLookupsReadTheFirstRowOrTheNoRowValue) {
  EXPECT_EQ(db_->NatLNat("CODTAX", "010"), "DERECHOS DE IMPORTACION");
  EXPECT_EQ(db_->NatPtr("CODTAX", "010"), 10);  // first row only
  EXPECT_EQ(db_->NatPtr("TABON", "adu"), 1);    // codes compare without regard to case
  EXPECT_EQ(db_->NatPtr("TABON", "o'b"), 3);    // a quote in a code is data
  EXPECT_EQ(db_->PtrCNat("CODTAX", 99), "010");

  std::string code = "stale";
  EXPECT_EQ(db_->PtrNat("CODTAX", 10, code), "DERECHOS DE IMPORTACION");
  EXPECT_EQ(code, "010");

  EXPECT_EQ(db_->NatPtr("CODTAX", "999"), -1);
  EXPECT_EQ(db_->NatLNat("CODTAX", "999"), "");
  EXPECT_EQ(db_->PtrCNat("CODTAX", 5), "");
  EXPECT_EQ(db_->PtrNat("CODTAX", 5, code), "");
  EXPECT_EQ(code, "");
}

TEST_F(LookupsTest, ARowIsValidFromItsStartUpToButNotOnItsEnd) {
  Recordset rs;
  std::string day = "05/12/2026";
  EXPECT_TRUE(db_->ValidaRef("STA", "ISTA", "EC01", day, "DSTAEFF", "DSTAFIN", rs));
  EXPECT_EQ(rs["lsta"], Value("CONSUMO"));
  EXPECT_FALSE(db_->ValidaRef("STA", "ISTA", "EC02", day, "DSTAEFF", "DSTAFIN", rs));
  EXPECT_TRUE(rs.IsOpen());

  std::string yesterday = "20261204";
  EXPECT_FALSE(db_->ValidaRef("STA", "ISTA", "EC01", yesterday, "DSTAEFF", "DSTAFIN", rs));
  EXPECT_TRUE(db_->ValidaRef("STA", "ISTA", "EC02", yesterday, "DSTAEFF", "DSTAFIN", rs));

  std::string empty;  // the operation date
  EXPECT_TRUE(db_->ValidaRef("STA", "ISTA", "EC01", empty, "DSTAEFF", "DSTAFIN", rs));
}

TEST_F(LookupsTest, CompositeKeysMustBothMatchAndQuotesInKeysAreData) {
  Recordset rs;
  std::string day;
  EXPECT_TRUE(db_->ValidaRefCompuestos("STA", "ISTA", "EC01", "CSTAORG", "O1", day, "DSTAEFF",
                                       "DSTAFIN", rs));
  EXPECT_FALSE(db_->ValidaRefCompuestos("STA", "ISTA", "EC01", "CSTAORG", "O2", day, "DSTAEFF",
                                        "DSTAFIN", rs));
  // Valid from the start day, no longer on the end day.
  EXPECT_FALSE(db_->ValidaRefCompuestos("STA", "ISTA", "EC02", "CSTAORG", "O1", day, "DSTAEFF",
                                        "DSTAFIN", rs));
  EXPECT_TRUE(db_->ValidaRef("STA", "ISTA", "O'B", day, "DSTAEFF", "DSTAFIN", rs));
  EXPECT_EQ(rs["lsta"], Value("CON COMILLA"));
  EXPECT_EQ(db_->NatLNat("O'X", "'"), "");
}

TEST_F(LookupsTest, FailuresNameTheLookup) {
  std::string code;
  const ComError null = RaisedError([&] { db_->PtrNat("CODDOC", 4, code); });  // Null read
  EXPECT_EQ(null.description(), "Invalid use of Null");
  EXPECT_EQ(null.source(), "Tipolaria - CDataBase.PtrNat");
  Recordset rs;
  std::string day;
  EXPECT_EQ(RaisedError([&] { db_->ValidaRef("NOPE", "X", "1", day, "A", "B", rs); }).source(),
            TestDatabase::ErrorSource() + " - CDataBase.GetRs - CDataBase.ValidaRef");
}

}  // namespace
}  // namespace tipolaria
