#include "imp/ImpTable.hpp"

#include <gtest/gtest.h>

#include "support/ErrorNumber.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;

std::vector<std::string> Rows(const TestDatabase& tdb) {
  return tdb.Column(
      "SELECT nro_hoja || '|' || tipo || '|' || nro_campo || '|' || valor FROM IMP "
      "ORDER BY nro_hoja, tipo, nro_campo");
}

TEST(ImpTableTest, SingleRowInsertKeepsQuotesAndBlanksButNotEmptyText) {
  TestDatabase tdb;
  auto db = tdb.Open();
  InsertImpRow(*db, 3, 1, "4", "3 de 7");
  InsertImpRow(*db, 12, 0, "5", "it's");
  InsertImpRow(*db, 12, 0, "6", "   ");
  InsertImpRow(*db, 12, 0, "7", "");
  EXPECT_EQ(Rows(tdb), (std::vector<std::string>{"3|1|c4|3 de 7", "12|0|c5|it's", "12|0|c6|   "}));
  ClearImpTable(*db);
  EXPECT_TRUE(Rows(tdb).empty());
}

TEST(ImpTableTest, PageSaveSkipsBlanksAndTheLastValueOfAFieldWins) {
  TestDatabase tdb;
  tdb.Run("INSERT INTO IMP VALUES (1, 0, 'c9', 'from an earlier save');");
  auto db = tdb.Open();
  CColImp fields;
  fields.Add("a", "first", "5");
  fields.Add("b", "   ", "6");
  fields.Add("a", " second ", "5");
  fields.Add("c", "", "9");  // blank: the earlier row of c9 stays
  fields.Add("d", "O'Brien", "10");
  fields.Add("e", "upper", "QOR1");
  fields.Add("e", "lower", "qor1");  // the same field to the database
  SaveImpPage(*db, fields, "1");
  EXPECT_EQ(Rows(tdb),
            (std::vector<std::string>{"1|0|c10|O'Brien", "1|0|c5| second ",
                                      "1|0|c9|from an earlier save", "1|0|cqor1|lower"}));
}

// Through ODBC a page save sends the same number of requests whatever the
// number of fields; the embedded database takes a statement a field.
TEST(ImpTableTest, PageSaveRoundTripsThroughOdbcDoNotGrowWithTheFields) {
  TestDatabase tdb;
  const auto round_trips = [&](CDataBase& db, int fields) {
    CColImp page;
    for (int i = 0; i < fields; ++i) page.Add("", "v" + std::to_string(i), std::to_string(i + 5));
    const std::uint64_t before = db.RoundTrips();
    SaveImpPage(db, page, "1");
    return db.RoundTrips() - before;
  };
  CDataBase odbc;
  odbc.OpenDB(tdb.odbc_connection());
  const std::uint64_t few = round_trips(odbc, 10);
  EXPECT_EQ(round_trips(odbc, 140), few);
  EXPECT_EQ(tdb.Column("SELECT count(*) FROM IMP"), std::vector<std::string>{"140"});
  CDataBase embedded;
  embedded.OpenDB("sqlite:" + tdb.path());
  EXPECT_EQ(round_trips(embedded, 140), 2u + 2u * 140u);
}

// A broker's IMP with VALOR varchar(10), as SQL Server answers for it: a
// longer value is refused with its SQLSTATE and no word of which, and
// COL_LENGTH tells the width. Stands for the server's answers only.
class NarrowImp final : public Backend {
 public:
  explicit NarrowImp(std::unique_ptr<Backend> real) : real_(std::move(real)) {}
  Recordset Query(const std::string& sql) override {
    if (sql.starts_with("SELECT COL_LENGTH('IMP', 'VALOR')")) {
      return Recordset({"width"}, {{Value(std::int64_t{10})}});
    }
    return real_->Query(sql);
  }
  void Execute(const std::string& sql) override { real_->Execute(sql); }
  void ExecuteArray(const std::string& sql, const std::vector<std::vector<Value>>& rows) override {
    for (const auto& row : rows) {
      if (row.back().AsText().size() > 10) {
        throw ComError(-2147217833, "ODBC Driver 18 for SQL Server",
                       "String or binary data would be truncated (SQLSTATE 22001, native error "
                       "8152) in: " +
                           sql);
      }
    }
    real_->ExecuteArray(sql, rows);
  }
  Recordset CallProcedure(const std::string& name,
                          const std::vector<ProcedureParam>& params) override {
    return real_->CallProcedure(name, params);
  }
  void BeginTransaction() override { real_->BeginTransaction(); }
  void CommitTransaction() override { real_->CommitTransaction(); }
  void RollbackTransaction() override { real_->RollbackTransaction(); }
  bool AcquirePrintLock(std::chrono::milliseconds wait) override {
    return real_->AcquirePrintLock(wait);
  }
  void ReleasePrintLock() override { real_->ReleasePrintLock(); }
  std::uint64_t RoundTrips() const override { return real_->RoundTrips(); }

 private:
  std::unique_ptr<Backend> real_;
};

TEST(ImpTableTest, AValueWiderThanTheBrokersColumnIsNamedWithItsLengthAndTheWidth) {
  TestDatabase tdb;
  CDataBase db(
      [](const std::string& text) { return std::make_unique<NarrowImp>(OpenBackend(text)); });
  db.OpenDB(tdb.connection());
  CColImp fields;
  fields.Add("a", "short", "5");
  fields.Add("b", "ÑANDÚ ÁÉ LARGO", "38");
  const ComError e = RaisedError([&] { SaveImpPage(db, fields, "2"); });
  EXPECT_EQ(e.source(), "ODBC Driver 18 for SQL Server - CDataBase.ExecuteSQL");
  EXPECT_EQ(e.description().find("The value of field c38 of page 2 is 14 characters long and "
                                 "IMP.VALOR holds at most 10: make the column varchar(max)"),
            0u)
      << e.description();
  EXPECT_NE(e.description().find("String or binary data would be truncated"), std::string::npos);
  EXPECT_TRUE(Rows(tdb).empty());  // the page save left nothing
}

}  // namespace
}  // namespace tipolaria
