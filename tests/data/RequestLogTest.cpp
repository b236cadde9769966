// The statement log as operators read it: every request of a session on a
// line of its own, in T-SQL as SQL Server receives it, whichever backend
// sends it, and never a password.
#include "data/RequestLog.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>

#include "data/CDataBase.hpp"
#include "support/ErrorNumber.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(RequestLogTest, EveryRequestOnALineAsSqlServerReceivesIt) {
  TestDatabase tdb;
  tdb.Run("INSERT INTO PTR VALUES ('TABON', 'O''B', 'COMILLA', 1);");
  const std::string path = tdb.folder() + "/requests.sql";
  CDataBase db;
  db.SetOperDate("05/12/2026");
  db.SetRequestLog(std::make_shared<RequestLog>(path));
  // A password in the connection string never reaches the log.
  const std::string connection =
      TestDatabase::ThroughOdbc()
          ? tdb.odbc_connection() + ";PWD={s3c}}r3t}"
          : "Provider=SQLite;Data Source=" + tdb.path() + ";Password={s3c;r3t}";
  ASSERT_TRUE(db.OpenDB(connection));
  ASSERT_TRUE(db.AcquirePrintLock(std::chrono::milliseconds(1500)));
  db.BeginBatch();
  db.ExecuteSQL("TRUNCATE TABLE IMP");
  std::string day;
  Recordset rs;
  db.GetRs("SELECT 'a\r\nb' AS t, isnull(NULL, 1) AS n FROM PAY WHERE DPAYEFF <= " + db.DBDate(day),
           rs);
  EXPECT_EQ(db.NatLNat("TABON", "O'B"), "COMILLA");
  EXPECT_EQ(db.NatLNat("TABON", "O'B"), "COMILLA");  // answered from memory: nothing sent
  std::string code;
  db.PtrNat("TABON", 1, code);
  db.BeginTrans();
  db.ExecuteArray("INSERT INTO IMP VALUES (?, 0, ?, 'who?')",
                  {{Value(std::int64_t{1}), Value("c5")}, {Value(std::int64_t{1}), Value("c6")}});
  db.RollBackTrans();
  db.BeginTrans();
  db.ExecuteArray("DELETE FROM IMP WHERE NRO_CAMPO = ?", {{Value("c7")}});
  db.ExecuteArray("DELETE FROM IMP WHERE NRO_CAMPO = ?", {});  // nothing to send
  db.CommitTrans();
  db.EndBatch();
  db.ReleasePrintLock();

  const std::vector<std::string> lines = FileLines(path);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front().find("-- connect "), 0u) << lines.front();
  EXPECT_NE(lines.front().find(tdb.path()), std::string::npos) << lines.front();
  EXPECT_EQ(lines.front().find("r3t"), std::string::npos) << lines.front();
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()),
            (std::vector<std::string>{
                "DECLARE @r int; EXEC @r = sp_getapplock @Resource = N'tipolaria.IMP', "
                "@LockMode = N'Exclusive', @LockOwner = N'Session', @LockTimeout = 1500; "
                "SELECT @r AS r",
                "BEGIN TRANSACTION",
                "TRUNCATE TABLE IMP",
                "SELECT 'a\\r\\nb' AS t, isnull(NULL, 1) AS n FROM PAY WHERE DPAYEFF <= "
                "CONVERT(datetime, '05/12/2026', 103)",
                "EXEC sp_NatLNat @CTPT_1 = 'TABON', @CPTRNAT_2 = 'O''B'",
                "EXEC sp_PtrNat @CTPT_1 = 'TABON', @APTR_2 = 1",
                "SAVE TRANSACTION tipolaria_save",
                "INSERT INTO IMP VALUES (@P1, 0, @P2, 'who?') -- 2 rows",
                "ROLLBACK TRANSACTION tipolaria_save",
                "SAVE TRANSACTION tipolaria_save",
                "DELETE FROM IMP WHERE NRO_CAMPO = @P1 -- 1 row",
                "COMMIT TRANSACTION",
                "IF APPLOCK_MODE(N'public', N'tipolaria.IMP', N'Session') <> N'NoLock' EXEC "
                "sp_releaseapplock @Resource = N'tipolaria.IMP', @LockOwner = N'Session'",
            }));
  // What a server across the network would answer: every line but the
  // transaction's own begin and end is a round trip; one commit.
  EXPECT_EQ(db.Requests(), lines.size() - 3);
  EXPECT_EQ(db.Transactions(), 1u);
}

TEST(RequestLogTest, APathThatCannotBeWrittenIsRefused) {
  TestDatabase tdb;
  for (const std::string& path :
       {std::string(), tdb.folder() + "/no/such/folder/log.sql", tdb.folder()}) {
    const ComError e = RaisedError([&] { RequestLog log(path); });
    EXPECT_EQ(e.number(), 5) << path;
    EXPECT_NE(e.description().find("statement log"), std::string::npos) << e.description();
  }
}

}  // namespace
}  // namespace tipolaria
