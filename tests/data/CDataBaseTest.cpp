#include "data/CDataBase.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "data/SqlText.hpp"
#include "support/ErrorNumber.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;

TEST(CDataBaseTest, DBDateBuildsTheDayExpression) {
  CDataBase db;
  db.SetOperDate("05/12/2026");
  struct Case {
    const char* in;
    const char* expression_day;
  } cases[] = {
      {"20240131", "31/01/2024"},   {"", "05/12/2026"},
      {"2024-1-31", "2024-1-31"},                              // nine characters: used as it stands
      {"31/01/2024", "31/01/2024"}, {"2024/1/3", "2024/1/3"},  // eight characters but with "/"
  };
  for (const Case& c : cases) {
    EXPECT_EQ(db.DBDate(c.in), std::string("CONVERT(datetime, '") + c.expression_day + "', 103)");
  }
}

TEST(CDataBaseTest, GetRsReportsRowsAndLeavesAnOpenEmptyRecordset) {
  TestDatabase tdb;
  tdb.Run("INSERT INTO IMP VALUES (1, 0, 'c5', 'x');");
  auto db = tdb.Open();
  Recordset rs;
  EXPECT_TRUE(db->GetRs("SELECT * FROM IMP", rs));
  EXPECT_EQ(rs["valor"], Value("x"));
  EXPECT_FALSE(db->GetRs("SELECT * FROM IMP WHERE nro_hoja = 7", rs));
  EXPECT_TRUE(rs.IsOpen());
  EXPECT_TRUE(rs.AtBeginning() && rs.AtEnd());
}

TEST(CDataBaseTest, FailuresCarryTheDatabaseMessageAndTheOperation) {
  TestDatabase tdb;
  auto db = tdb.Open();
  Recordset rs;
  const std::string engine = TestDatabase::ErrorSource();
  struct Case {
    std::function<void()> run;
    std::string source;
    const char* message;
  } cases[] = {
      {[&] { db->GetRs("SELEC * FROM IMP", rs); }, engine + " - CDataBase.GetRs", "syntax error"},
      {[&] { db->ExecuteSQL("INSERT INTO NOPE VALUES (1)"); }, engine + " - CDataBase.ExecuteSQL",
       "no such table: NOPE"},
      {[&] { db->CommitTrans(); }, engine + " - CDataBase.gDB.CommitTrans", "no transaction"},
      {[&] { db->ExecSPRs("sp_Nothing"); }, engine + " - CDataBase.ExecSPRs", "sp_Nothing"},
      {[] { CDataBase().ExecuteSQL("DELETE FROM IMP"); }, "CDataBase - CDataBase.ExecuteSQL",
       "The connection cannot be used"},  // never connected
  };
  for (const Case& c : cases) {
    const ComError e = RaisedError(c.run);
    EXPECT_EQ(e.source(), c.source);
    EXPECT_NE(e.description().find(c.message), std::string::npos) << e.description();
  }
  EXPECT_EQ(ErrorNumber([] { CDataBase().ExecuteSQL("DELETE FROM IMP"); }), 3709);
}

TEST(CDataBaseTest, ReadsAmountsExactlyAndDatesAsDates) {
  TestDatabase tdb;
  tdb.Run(
      "INSERT INTO LIT (iliq, clittax, mlit) VALUES ('L1', '010', 1234.56);"
      "INSERT INTO LIT (iliq, clittax, mlit) VALUES ('L2', '011', 7);"
      "INSERT INTO PAY (CPAY, lpayabr, DPAYEFF, DPAYFIN) "
      "VALUES ('200', 'ARGENTINA', '2001-01-01', '9999-12-31 10:30:00');");
  auto db = tdb.Open();
  Recordset rs;
  ASSERT_TRUE(db->GetRs("SELECT mlit FROM LIT ORDER BY iliq", rs));
  EXPECT_EQ(rs["mlit"], Value(*Decimal::Parse("1234.56")));
  rs.MoveNext();
  EXPECT_EQ(rs["MLIT"], Value(Decimal(7)));
  ASSERT_TRUE(db->GetRs("SELECT DPAYEFF, DPAYFIN FROM PAY", rs));
  EXPECT_EQ(rs["dpayeff"], Value(DateTime{2001, 1, 1}));
  EXPECT_EQ(rs["dpayfin"], Value(DateTime{9999, 12, 31, 10, 30, 0}));
}

TEST(CDataBaseTest, TransactionsCommitAndRollBack) {
  TestDatabase tdb;
  auto db = tdb.Open();
  db->BeginTrans();
  db->ExecuteSQL("INSERT INTO IMP VALUES (1, 0, 'c5', 'kept')");
  db->CommitTrans();
  db->BeginTrans();
  db->ExecuteSQL("INSERT INTO IMP VALUES (1, 0, 'c6', 'dropped')");
  db->RollBackTrans();
  EXPECT_EQ(tdb.Column("SELECT valor FROM IMP"), std::vector<std::string>{"kept"});
  // Every statement sent is counted, for the benchmarks.
  EXPECT_EQ(db->StatementCount(), 6u);
}

// Statements that differ only in their texts share one prepared statement
// on the embedded database: each run reads its own values, and what a
// statement shows or reports is what its text says.
TEST(CDataBaseTest, StatementsOfOneShapeReadTheirOwnValues) {
  TestDatabase tdb;
  auto db = tdb.Open();
  for (const char* value : {"uno", "O'BRIEN", "", "uno"}) {
    db->ExecuteSQL(std::string("INSERT INTO IMP VALUES (1, 0, 'c1', '") + DoubleQuotes(value) +
                   "')");
  }
  Recordset rs;
  const std::pair<const char*, std::int64_t> counts[] = {
      {"O'BRIEN", 1}, {"", 1}, {"uno", 2}, {"nada", 0}};
  for (const auto& [value, count] : counts) {
    ASSERT_TRUE(
        db->GetRs("SELECT count(*) AS n FROM IMP WHERE valor = '" + DoubleQuotes(value) + "'", rs));
    EXPECT_EQ(rs["n"], Value(count)) << value;
  }
  // A column named after the literal it shows keeps that name.
  ASSERT_TRUE(db->GetRs("SELECT 'x', valor FROM IMP WHERE valor = 'uno'", rs));
  EXPECT_EQ(rs.FieldName(0), "'x'");
  EXPECT_EQ(rs["'x'"], Value("x"));
  // A statement that fails names itself as written; its shape is good once
  // the table exists.
  const std::string says =
      RaisedError([&] { db->GetRs("SELECT * FROM NOPE WHERE a = 'x'", rs); }).description();
  EXPECT_NE(says.find("no such table: NOPE"), std::string::npos);
  EXPECT_NE(says.find("in: SELECT * FROM NOPE WHERE a = 'x'"), std::string::npos) << says;
  db->ExecuteSQL("CREATE TABLE NOPE (a TEXT)");
  db->ExecuteSQL("INSERT INTO NOPE VALUES ('x')");
  EXPECT_TRUE(db->GetRs("SELECT * FROM NOPE WHERE a = 'x'", rs));
}

// Connections on separate threads are separate sessions: the print lock
// excludes them as it excludes processes, and a waiting one gets it as soon
// as the holder lets go.
TEST(CDataBaseTest, PrintLockExcludesOtherConnectionsAcrossThreadsUntilReleased) {
  using std::chrono::milliseconds;
  TestDatabase tdb;
  auto holder = tdb.Open();
  auto waiter = tdb.Open();
  ASSERT_TRUE(holder->AcquirePrintLock(milliseconds(0)));
  EXPECT_FALSE(waiter->AcquirePrintLock(milliseconds(0)));
  EXPECT_FALSE(waiter->AcquirePrintLock(milliseconds(20)));
  std::atomic<bool> released = false;
  std::thread thread([&] {
    std::this_thread::sleep_for(milliseconds(50));
    released = true;
    holder->ReleasePrintLock();
  });
  EXPECT_TRUE(waiter->AcquirePrintLock(std::chrono::seconds(30)));
  EXPECT_TRUE(released);
  thread.join();
  EXPECT_FALSE(holder->AcquirePrintLock(milliseconds(0)));
  waiter.reset();  // closing the connection lets go too
  EXPECT_TRUE(holder->AcquirePrintLock(milliseconds(0)));
  EXPECT_EQ(holder->Name(), tdb.connection());
}

// A NUL in a value never cuts a statement short: quoting drops it, and a
// statement that still holds one is refused instead of run in part.
TEST(CDataBaseTest, NulCharactersNeverCutAStatement) {
  TestDatabase tdb;
  auto db = tdb.Open();
  const std::string value("AB\0C'D", 6);
  db->ExecuteSQL("INSERT INTO IMP VALUES (1, 0, 'c5', '" + DoubleQuotes(value) + "')");
  EXPECT_EQ(tdb.Column("SELECT valor FROM IMP"), std::vector<std::string>{"ABC'D"});
  EXPECT_THROW(db->ExecuteSQL(std::string("DELETE FROM IMP\0 WHERE 1 = 0", 29)), ComError);
  EXPECT_EQ(tdb.Column("SELECT count(*) FROM IMP"), std::vector<std::string>{"1"});
}

// A batch is one transaction that keeps what statements committing one by
// one would keep: a transaction rolled back inside it leaves nothing, a
// failed statement or array row leaves what stood before it, and all of it
// is committed at its end. While it is open, a repeated reference lookup is
// read once.
TEST(CDataBaseTest, ABatchKeepsWhatStoodAndReadsEachLookupOnce) {
  TestDatabase tdb;
  tdb.Run(
      "INSERT INTO PTR VALUES ('TABON', 'ADU', 'ADUANA', 1);"
      "CREATE UNIQUE INDEX imp_unique ON IMP (NRO_HOJA, TIPO, NRO_CAMPO);");
  auto db = tdb.Open();
  const std::uint64_t transactions = db->Transactions();
  db->BeginBatch();
  db->ExecuteSQL("INSERT INTO IMP VALUES (1, 0, 'c5', 'before')");
  db->BeginTrans();
  db->ExecuteSQL("INSERT INTO IMP VALUES (1, 0, 'c6', 'rolled back')");
  db->RollBackTrans();
  EXPECT_THROW(db->ExecuteSQL("INSERT INTO NO_SUCH_TABLE VALUES (1)"), ComError);
  // The third row breaks the key: the rows before it stay, the one after it
  // never runs.
  EXPECT_THROW(db->ExecuteArray("INSERT INTO IMP VALUES (2, 0, ?, 'row')",
                                {{Value("c1")}, {Value("c5")}, {Value("c1")}, {Value("c3")}}),
               ComError);
  db->BeginTrans();
  db->ExecuteSQL("INSERT INTO IMP VALUES (1, 0, 'c7', 'saved')");
  db->CommitTrans();
  EXPECT_EQ(tdb.Column("SELECT count(*) FROM IMP"), std::vector<std::string>{"0"});
  const std::uint64_t before = db->StatementCount();
  std::string date = "05/12/2026";
  Recordset rs;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(db->NatLNat("TABON", "ADU"), "ADUANA");
    EXPECT_FALSE(db->ValidaRef("PAY", "CPAY", "310", date, "DPAYEFF", "DPAYFIN", rs));
  }
  EXPECT_EQ(db->StatementCount() - before, 2u);
  db->EndBatch();
  EXPECT_EQ(db->Transactions() - transactions, 1u);
  EXPECT_EQ(
      tdb.ImpRows("1 = 1", "NRO_HOJA, NRO_CAMPO"),
      (std::vector<std::string>{"1 0 c5=before", "1 0 c7=saved", "2 0 c1=row", "2 0 c5=row"}));
  // After the batch every lookup reads again.
  const std::uint64_t after = db->StatementCount();
  EXPECT_EQ(db->NatLNat("TABON", "ADU"), "ADUANA");
  EXPECT_EQ(db->StatementCount() - after, 1u);
}

}  // namespace
}  // namespace tipolaria
