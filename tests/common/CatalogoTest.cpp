// The catalogue lookups: document codes, organisms of a status, descriptions
// and labels of an item. The operation date of TestDatabase::Open is
// 05/12/2026.
#include <gtest/gtest.h>

#include "common/BatchFnc.hpp"
#include "common/Catalogo.hpp"
#include "common/TipoDest.hpp"
#include "support/ErrorNumber.hpp"
#include "support/FaultyBackend.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

TEST(CatalogoTest, DocumentCodeValidOnTheOperationDate) {
  testing::TestDatabase tdb;
  tdb.Run(R"(
    INSERT INTO PTR VALUES ('CODDOC', 'FAC', '', 1), ('CODDOC', 'CON', '', 2),
                           ('CODDOC', 'CER', '', 4), ('CODDOC', 'OLD', '', 6);
    INSERT INTO DOC VALUES ('FAC', 'FACT-OLD', '2010-01-01', '2026-01-01'),
                           ('FAC', 'FACT', '2026-01-01', '2099-01-01'),
                           ('CON', 'CONO', '2026-12-05', '2099-01-01'),
                           ('CER', NULL, '2020-01-01', '2099-01-01'),
                           ('OLD', 'GONE', '2020-01-01', '2026-12-05');
  )");
  auto db = tdb.Open();
  EXPECT_EQ(DameCodigoDoc1(*db), "FACT");
  EXPECT_EQ(DameCodigoDoc2(*db), "CONO");  // effective today
  EXPECT_EQ(DameCodigoDoc4(*db), "");      // Null code
  EXPECT_EQ(DameCodigoDoc5(*db), "");      // no "CODDOC" entry
  EXPECT_EQ(DameCodigoDoc6(*db), "");      // ends today: no longer valid
  db->SetOperDate("31/12/2025");
  EXPECT_EQ(DameCodigoDoc(*db, 1), "FACT-OLD");
}

TEST(DameOrganismoTest, AnswersAndNames) {
  testing::TestDatabase tdb;
  tdb.Run(R"(
    INSERT INTO PTR VALUES ('TABON', 'S', 'Si', 1), ('TABON', 'N', 'No', 2);
    INSERT INTO STA (ISTA, CSTAENT, CSTAORG, DSTAEFF, DSTAFIN) VALUES
      ('IC04', 'S', 'SEN', '2020-01-01', '2099-01-01'),
      ('IC05', 'N', 'SEN', '2020-01-01', '2099-01-01'),
      ('IC06', 'S', NULL, '2020-01-01', '2099-01-01'),
      ('IC07', 'S', 'NOORG', '2020-01-01', '2099-01-01'),
      ('IC08', 'S', 'NUL', '2020-01-01', '2099-01-01'),
      ('IC09', 'S', 'O''K', '2020-01-01', '2099-01-01'),
      ('IC10', 'S', 'SEN', '2020-01-01', '2026-12-05');
    INSERT INTO ORG VALUES ('SEN', 'SENASA'), ('NUL', NULL), ('O''K', 'QUOTED');
  )");
  auto db = tdb.Open();
  const struct {
    const char* status;
    const char* organism_in;
    bool found;
    const char* organism_out;
  } cases[] = {
      {"IC04", "x", true, "SENASA"}, {"IC05", "x", false, ""},   // entity is not TABON 1
      {"IC06", "x", false, ""},                                  // no organism code
      {"IC07", "x", true, ""},                                   // no ORG row
      {"IC08", "x", true, ""},                                   // Null LAGE: empty, no error
      {"IC09", "x", true, "QUOTED"}, {"IC10", "x", false, "x"},  // none valid: unchanged
  };
  for (const auto& c : cases) {
    std::string organism = c.organism_in;
    EXPECT_EQ(DameOrganismo(*db, c.status, "", organism), c.found) << c.status;
    EXPECT_EQ(organism, c.organism_out) << c.status;
    EXPECT_EQ(DameOrganismo(*db, c.status, ""), c.found) << c.status;  // only asking
  }
}

TEST(RecuperoDescYRotuloTest, BlocksJoinInBlockOrderAndLabelComesFromTheFirstRow) {
  testing::TestDatabase tdb;
  tdb.Run(R"(
    INSERT INTO KDSC VALUES ('D1', '0001', '', 2, 'ABC'), ('D1', '0001', '', 1, 'XYZ'),
                            ('D1', '0001', '', 3, NULL), ('D1', '0001', '', 10, '!'),
                            ('D1', '0001', '01', 1, 'SUB');
    INSERT INTO RTL VALUES ('D1', '0001', '', 'MARCA', 'ACME'), ('D1', '0001', '', 'X', 'Y');
  )");
  auto db = tdb.Open();
  std::string rotulo = "old", valor = "old";
  EXPECT_EQ(RecuperoDescYRotulo(*db, true, true, "D1", "0001", "", rotulo, valor), "XYZABC!");
  EXPECT_EQ(rotulo + "/" + valor, "MARCA/ACME");
  EXPECT_EQ(RecuperoDescYRotulo(*db, true, false, "D1", "0001", "01", rotulo, valor), "SUB");
  EXPECT_EQ(rotulo + "/" + valor, "/");  // emptied although not asked for
  EXPECT_EQ(RecuperoDescYRotulo(*db, true, true, "D'1", "0001", "", rotulo, valor), "");

  auto faulty = testing::OpenFaulty(tdb.connection(), {"FROM RTL"});
  EXPECT_EQ(RecuperoDescYRotulo(*faulty, true, false, "D1", "0001", "", rotulo, valor), "XYZABC!");
  EXPECT_EQ(RaisedError([&] {
              RecuperoDescYRotulo(*faulty, false, true, "D1", "0001", "", rotulo, valor);
            }).source(),
            "FaultyBackend - CDataBase.GetRs - BatchFnc.RecuperoDescYRotulo");
}

}  // namespace
}  // namespace tipolaria
