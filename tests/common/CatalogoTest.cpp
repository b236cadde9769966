// The catalogue lookups: document codes, organisms of a status, descriptions
// and labels of an item.
#include <gtest/gtest.h>

#include "common/BatchFnc.hpp"
#include "common/Catalogo.hpp"
#include "common/TipoDest.hpp"
#include "support/FaultyBackend.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;

// The operation date of TestDatabase::Open is 05/12/2026.
class CatalogoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.Run(R"(
      INSERT INTO PTR VALUES ('CODDOC', 'FAC', 'Factura', 1);
      INSERT INTO PTR VALUES ('CODDOC', 'CON', 'Conocimiento', 2);
      INSERT INTO PTR VALUES ('CODDOC', 'CER', 'Certificado', 4);
      INSERT INTO PTR VALUES ('CODDOC', 'LIS', 'Lista', 5);
      INSERT INTO PTR VALUES ('CODDOC', 'OLD', 'Vencido', 6);
      INSERT INTO DOC VALUES ('FAC', 'FACT-OLD', '2010-01-01', '2026-01-01');
      INSERT INTO DOC VALUES ('FAC', 'FACT', '2026-01-01', '2099-01-01');
      INSERT INTO DOC VALUES ('CON', 'CONO', '2026-12-05', '2099-01-01');
      INSERT INTO DOC VALUES ('CER', NULL, '2020-01-01', '2099-01-01');
      INSERT INTO DOC VALUES ('OLD', 'GONE', '2020-01-01', '2026-12-05');
    )");
    db_ = tdb_.Open();
  }

  TestDatabase tdb_;
  std::unique_ptr<CDataBase> db_;
};

TEST_F(CatalogoTest, DocumentCodeValidOnTheOperationDate) {
  EXPECT_EQ(DameCodigoDoc(*db_, 1), "FACT");  // the row valid today, not the old one
  EXPECT_EQ(DameCodigoDoc1(*db_), "FACT");
  EXPECT_EQ(DameCodigoDoc2(*db_), "CONO");  // effective today: valid
  EXPECT_EQ(DameCodigoDoc4(*db_), "");      // Null code
  EXPECT_EQ(DameCodigoDoc5(*db_), "");      // no DOC row
  EXPECT_EQ(DameCodigoDoc6(*db_), "");      // ends today: no longer valid
  EXPECT_EQ(DameCodigoDoc(*db_, 9), "");    // no "CODDOC" entry
  db_->SetOperDate("31/12/2025");
  EXPECT_EQ(DameCodigoDoc1(*db_), "FACT-OLD");
}

class DameOrganismoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.Run(R"(
      INSERT INTO PTR VALUES ('TABON', 'S', 'Si', 1);
      INSERT INTO PTR VALUES ('TABON', 'N', 'No', 2);
      INSERT INTO STA (ISTA, CSTAENT, CSTAORG, DSTAEFF, DSTAFIN) VALUES
        ('IC04', 'S', 'SEN', '2020-01-01', '2099-01-01'),
        ('IC05', 'N', 'SEN', '2020-01-01', '2099-01-01'),
        ('IC06', 'S', NULL,  '2020-01-01', '2099-01-01'),
        ('IC07', 'S', 'NOORG', '2020-01-01', '2099-01-01'),
        ('IC08', 'S', 'NUL', '2020-01-01', '2099-01-01'),
        ('IC09', 'S', 'O''K', '2020-01-01', '2099-01-01'),
        ('IC10', 'S', 'SEN', '2020-01-01', '2026-12-05');
      INSERT INTO ORG VALUES ('SEN', 'SENASA');
      INSERT INTO ORG VALUES ('NUL', NULL);
      INSERT INTO ORG VALUES ('O''K', 'ORG WITH QUOTE');
    )");
    db_ = tdb_.Open();
  }

  // The answer and the organism left, for an organism passed as `organism`.
  std::pair<bool, std::string> Ask(const std::string& status, std::string organism) {
    std::string date;
    const bool found = DameOrganismo(*db_, status, date, organism);
    return {found, organism};
  }

  TestDatabase tdb_;
  std::unique_ptr<CDataBase> db_;
};

TEST_F(DameOrganismoTest, AnswersAndNames) {
  using R = std::pair<bool, std::string>;
  EXPECT_EQ(Ask("IC04", "x"), R(true, "SENASA"));
  EXPECT_EQ(Ask("IC04", ""), R(true, ""));    // only asking whether one exists
  EXPECT_EQ(Ask("IC05", "x"), R(false, ""));  // entity is not TABON 1
  EXPECT_EQ(Ask("IC06", "x"), R(false, ""));  // no organism code
  EXPECT_EQ(Ask("IC07", "x"), R(true, ""));   // no ORG row
  EXPECT_EQ(Ask("IC08", "x"), R(true, ""));   // Null LAGE: empty, not an error
  EXPECT_EQ(Ask("IC09", "x"), R(true, "ORG WITH QUOTE"));
  EXPECT_EQ(Ask("IC10", "x"), R(false, "x"));  // no valid status: unchanged
  EXPECT_EQ(Ask("NONE", "x"), R(false, "x"));
}

TEST_F(DameOrganismoTest, GivenDateIsUsedAndWrittenBack) {
  std::string organism = "x";
  std::string date = "20261204";  // the last day IC10 is valid
  EXPECT_TRUE(DameOrganismo(*db_, "IC10", date, organism));
  EXPECT_EQ(organism, "SENASA");
  EXPECT_EQ(date, "04/12/2026");
}

class RecuperoDescYRotuloTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.Run(R"(
      INSERT INTO KDSC VALUES ('D1', '0001', '', 2, 'ABC');
      INSERT INTO KDSC VALUES ('D1', '0001', '', 1, 'XYZ');
      INSERT INTO KDSC VALUES ('D1', '0001', '', 3, NULL);
      INSERT INTO KDSC VALUES ('D1', '0001', '', 10, '!');
      INSERT INTO KDSC VALUES ('D1', '0001', '01', 1, 'SUB');
      INSERT INTO RTL VALUES ('D1', '0001', '', 'MARCA', 'ACME');
      INSERT INTO RTL VALUES ('D1', '0002', '', NULL, 'V');
    )");
  }

  TestDatabase tdb_;
};

TEST_F(RecuperoDescYRotuloTest, BlocksJoinInBlockOrderAndLabelComesFromTheFirstRow) {
  auto db = tdb_.Open();
  std::string rotulo = "old", valor = "old";
  EXPECT_EQ(RecuperoDescYRotulo(*db, true, true, "D1", "0001", "", rotulo, valor), "XYZABC!");
  EXPECT_EQ(rotulo, "MARCA");
  EXPECT_EQ(valor, "ACME");
  EXPECT_EQ(RecuperoDescYRotulo(*db, true, false, "D1", "0001", "01", rotulo, valor), "SUB");
  EXPECT_EQ(rotulo, "");  // emptied although not asked for
  EXPECT_EQ(valor, "");
  EXPECT_EQ(RecuperoDescYRotulo(*db, false, true, "D1", "0002", "", rotulo, valor), "");
  EXPECT_EQ(rotulo, "");
  EXPECT_EQ(valor, "V");
  EXPECT_EQ(RecuperoDescYRotulo(*db, true, true, "O'X", "0001", "", rotulo, valor), "");
}

TEST_F(RecuperoDescYRotuloTest, NoFlagsRunNoQuery) {
  testing::FaultyBackend* backend = nullptr;
  auto db = testing::OpenFaulty(tdb_.connection(), {}, &backend);
  std::string rotulo = "r", valor = "v";
  EXPECT_EQ(RecuperoDescYRotulo(*db, false, false, "D1", "0001", "", rotulo, valor), "");
  EXPECT_EQ(rotulo, "");
  EXPECT_EQ(valor, "");
  EXPECT_TRUE(backend->log().empty());
}

TEST_F(RecuperoDescYRotuloTest, ErrorsNameTheProcedure) {
  auto db = testing::OpenFaulty(tdb_.connection(), {"FROM RTL"});
  std::string rotulo, valor;
  try {
    RecuperoDescYRotulo(*db, true, true, "D1", "0001", "", rotulo, valor);
    FAIL() << "expected an error";
  } catch (const ComError& e) {
    EXPECT_EQ(e.source(), "FaultyBackend - CDataBase.GetRs - BatchFnc.RecuperoDescYRotulo");
  }
}

}  // namespace
}  // namespace tipolaria
