// The ODBC backend through Debian's FreeTDS driver, against a stand-in for
// SQL Server on 127.0.0.1 (tests/support/tds_standin.py). The stand-in stands
// for the wire, not for the server's SQL: it speaks the protocol as FreeTDS
// speaks it, logs the logins and requests it receives, and answers a few
// fixed requests. So these tests check what crosses the wire: the charset of
// the text, the password in the login packet, the message of an array's
// failing row, a broken link and a failed commit.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "data/CDataBase.hpp"
#include "support/ErrorNumber.hpp"
#include "support/TestDatabase.hpp"

extern char** environ;

namespace tipolaria {
namespace {

// The stand-in as a child process: started on a free port, ended with the
// test (it also ends by itself when the test's end of its input closes).
class StandIn {
 public:
  explicit StandIn(const std::string& folder) : log_(folder + "/standin.log") {
    int input[2];
    int output[2];
    if (pipe(input) != 0 || pipe(output) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    const std::string script = TIPOLARIA_TDS_STANDIN;
    std::vector<char*> argv = {const_cast<char*>("python3"), const_cast<char*>(script.c_str()),
                               const_cast<char*>(log_.c_str()), nullptr};
    if (posix_spawnp(&pid_, "python3", &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    to_child_ = input[1];
    // The port, on the first line, within ten seconds.
    std::string line;
    pollfd ready{output[0], POLLIN, 0};
    char c = 0;
    while (pid_ > 0 && poll(&ready, 1, 10000) == 1 && read(output[0], &c, 1) == 1 && c != '\n') {
      line += c;
    }
    close(output[0]);
    port_ = std::atoi(line.c_str());
  }
  ~StandIn() {
    close(to_child_);
    if (pid_ <= 0) return;
    for (int i = 0; i < 100; ++i) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;

  int port() const { return port_; }
  std::string Server() const { return "Server=127.0.0.1;Port=" + std::to_string(port_) + ";"; }
  // What it received, one JSON object a line.
  std::vector<std::string> Log() const {
    std::ifstream in(log_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::vector<std::string> Logins() const {
    std::vector<std::string> logins;
    for (const std::string& line : Log()) {
      if (line.starts_with(R"({"login")")) logins.push_back(line);
    }
    return logins;
  }
  bool Received(const std::string& piece) const {
    for (const std::string& line : Log()) {
      if (line.find(piece) != std::string::npos) return true;
    }
    return false;
  }

 private:
  std::string log_;
  pid_t pid_ = -1;
  int to_child_ = -1;
  int port_ = 0;
};

class FreeTdsWireTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Every test here runs through ODBC already.
    if (testing::TestDatabase::ThroughOdbc()) GTEST_SKIP() << "runs through ODBC anyway";
    ASSERT_GT(standin_.port(), 0) << "the stand-in did not start";
  }
  void TearDown() override {
    if (HasFailure()) {
      for (const std::string& line : standin_.Log()) std::cout << "stand-in: " << line << "\n";
    }
    std::filesystem::remove_all(folder_);
  }

  std::string Connection() const {
    return "Driver={FreeTDS};" + standin_.Server() + "UID=tipolaria;PWD=secreto;Database=Aduana";
  }

  std::string folder_ = testing::MakeTempFolder();
  StandIn standin_{folder_};
};

TEST_F(FreeTdsWireTest, TextGoesInUtf8OrTheConnectionIsRefused) {
  // The server answers varchar in its code page (Ñ is byte D1): FreeTDS
  // hands it over in UTF-8 because the connection string is given
  // ClientCharset=UTF-8.
  {
    CDataBase db;
    ASSERT_TRUE(db.OpenDB(Connection()));
    Recordset rs;
    ASSERT_TRUE(db.GetRs("SELECT 'stand-in text' AS t", rs));
    EXPECT_EQ(rs["t"], Value("Ñandú Ámbar"));
    db.ExecuteSQL("INSERT INTO IMP VALUES (1, 0, 'c5', 'ÑÁÉ')");
    EXPECT_TRUE(standin_.Received("VALUES (1, 0, 'c5', 'ÑÁÉ')"));
    EXPECT_TRUE(standin_.Received("CHAR(209)"));
    EXPECT_EQ(standin_.Logins().size(), 1u);  // told at the first login
  }
  // A charset the connection names otherwise: refused, saying why.
  {
    CDataBase db;
    const ComError e = RaisedError([&] { db.OpenDB(Connection() + ";ClientCharset=ISO-8859-1"); });
    EXPECT_NE(e.description().find("does not hand text over in UTF-8 (SELECT CHAR(209) came back "
                                   "as bytes D1, not C3 91)"),
              std::string::npos)
        << e.description();
    EXPECT_NE(e.description().find("ClientCharset=UTF-8"), std::string::npos);
  }
  // A DSN that does not say it: the same login again, told so.
  {
    const std::string ini = folder_ + "/odbc.ini";
    std::ofstream(ini) << "[standin]\nDriver=FreeTDS\n"
                       << "Server=127.0.0.1\nPort=" << standin_.port() << "\nDatabase=Aduana\n";
    const char* before = std::getenv("ODBCINI");
    const std::string kept = before != nullptr ? before : "";
    setenv("ODBCINI", ini.c_str(), 1);
    const std::size_t logins = standin_.Logins().size();
    CDataBase db;
    const bool opened = db.OpenDB("DSN=standin;UID=tipolaria;PWD=secreto");
    Recordset rs;
    if (opened) db.GetRs("SELECT 'stand-in text' AS t", rs);
    before != nullptr ? setenv("ODBCINI", kept.c_str(), 1) : unsetenv("ODBCINI");
    ASSERT_TRUE(opened);
    EXPECT_EQ(rs["t"], Value("Ñandú Ámbar"));
    EXPECT_EQ(standin_.Logins().size(), logins + 2);
  }
}

TEST_F(FreeTdsWireTest, TheLoginCarriesThePasswordExactly) {
  // A host's provider string, translated for FreeTDS: braces in the
  // password reach the server as they stand.
  CDataBase db;
  ASSERT_TRUE(db.OpenDB("Provider=SQLOLEDB;Data Source=127.0.0.1," +
                        std::to_string(standin_.port()) +
                        ";Initial Catalog=Aduana;User ID=tipolaria;Password=p}w{x"));
  const std::vector<std::string> logins = standin_.Logins();
  ASSERT_EQ(logins.size(), 1u);
  EXPECT_NE(logins[0].find(R"("user": "tipolaria", "password": "p}w{x")"), std::string::npos)
      << logins[0];
  EXPECT_NE(logins[0].find(R"("database": "Aduana")"), std::string::npos) << logins[0];
}

TEST_F(FreeTdsWireTest, AnArraysFailingRowKeepsTheServersMessage) {
  CDataBase db;
  ASSERT_TRUE(db.OpenDB(Connection()));
  const auto row = [](const char* valor) {
    return std::vector<Value>{Value(std::int64_t{1}), Value(std::int64_t{0}), Value("c5"),
                              Value(valor)};
  };
  const ComError e = RaisedError([&] {
    db.ExecuteArray("INSERT INTO IMP (nro_hoja, tipo, NRO_CAMPO, valor) VALUES (?, ?, ?, ?)",
                    {row("uno"), row("refused"), row("tres")});
  });
  EXPECT_NE(e.description().find("conflicted with the CHECK constraint \"CK_IMP_VALOR\""),
            std::string::npos)
      << e.description();
  EXPECT_NE(e.description().find("(row 2 of 3)"), std::string::npos) << e.description();
  // The rows went as one request.
  EXPECT_TRUE(standin_.Received("VALUES (1, 0, 'c5', 'uno') INSERT INTO IMP"));
}

TEST_F(FreeTdsWireTest, ABrokenLinkIsMadeAgainAndAFailedCommitEndsTheTransaction) {
  CDataBase db;
  ASSERT_TRUE(db.OpenDB(Connection()));
  Recordset rs;
  // The operation that meets the break fails; the next one logs in again.
  EXPECT_NE(ErrorNumber([&] { db.GetRs("SELECT 'stand-in drop'", rs); }), 0);
  ASSERT_TRUE(db.GetRs("SELECT 'stand-in text' AS t", rs));
  EXPECT_EQ(standin_.Logins().size(), 2u);

  // A break inside a batch: the batch's end fails, and the next one works
  // on a new login.
  db.BeginBatch();
  EXPECT_NE(ErrorNumber([&] { db.GetRs("SELECT 'stand-in drop'", rs); }), 0);
  EXPECT_NE(ErrorNumber([&] { db.EndBatch(); }), 0);
  db.BeginBatch();
  db.ExecuteSQL("DELETE FROM IMP");
  db.EndBatch();
  EXPECT_EQ(standin_.Logins().size(), 3u);

  // The server refuses the commit: its message is the error, and no
  // transaction is left open for the next generation.
  db.BeginBatch();
  db.ExecuteSQL("-- stand-in fail commit");
  const ComError e = RaisedError([&] { db.EndBatch(); });
  EXPECT_NE(e.description().find("The transaction log for database 'Aduana' is full."),
            std::string::npos)
      << e.description();
  db.BeginBatch();
  db.ExecuteSQL("DELETE FROM IMP");
  db.EndBatch();
}

}  // namespace
}  // namespace tipolaria
