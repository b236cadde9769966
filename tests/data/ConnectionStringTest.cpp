#include "data/ConnectionString.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/CDataBase.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

using Kind = ConnectionTarget::Kind;

TEST(ConnectionStringTest, RecognisesTheFormsHostsHold) {
  EXPECT_EQ(ParseConnectionString("sqlite:/tmp/a b.db").sqlite_path, "/tmp/a b.db");
  EXPECT_EQ(ParseConnectionString("Provider=SQLite;Data Source=/x/y.db").sqlite_path, "/x/y.db");
  EXPECT_EQ(ParseConnectionString("provider = sqlite ; data source = \"/x;y.db\"").sqlite_path,
            "/x;y.db");

  const ConnectionTarget server = ParseConnectionString(
      "Provider=SQLOLEDB.1;Data Source=srv\\inst;Initial Catalog=Aduana;User ID=sa;"
      "Password={p;w}");
  EXPECT_EQ(server.kind, Kind::kOdbc);
  EXPECT_NE(server.odbc.find("Server={srv\\inst}"), std::string::npos);
  EXPECT_NE(server.odbc.find("Database={Aduana}"), std::string::npos);
  EXPECT_NE(server.odbc.find("PWD={p;w}"), std::string::npos);

  EXPECT_EQ(ParseConnectionString("Driver={SQLite3};Database=/x.db").kind, Kind::kOdbc);
  EXPECT_EQ(ParseConnectionString("DSN=aduana").odbc, "DSN=aduana");
}

TEST(ConnectionStringTest, UnusableStringsSayWhatIsWrong) {
  struct Case {
    const char* text;
    const char* says;
  } cases[] = {
      {"", "empty"},
      {"   ", "empty"},
      {"sqlite:", "names no file"},
      {"Provider=Oracle;Data Source=x", "unknown provider"},
      {"Provider=SQLite", "Data Source"},
      {"just some words", "has no \"=\""},
      {"Server=x;Database=y", "no provider, driver or DSN"},
      {"Provider=SQLite;Data Source=\"/x.db", "unclosed quote"},
      // Pieces of a password never stand in the message.
      {"Provider=SQLOLEDB;Password=ab;cd", "follows the password"},
      {"Provider=SQLOLEDB;PWD=secret;=x", "at \"=x\""},
  };
  for (const Case& c : cases) {
    try {
      ParseConnectionString(c.text);
      ADD_FAILURE() << c.text;
    } catch (const ComError& e) {
      EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
    }
  }
}

TEST(ConnectionStringTest, PasswordsAreMaskedWhateverTheirForm) {
  const struct {
    const char* text;
    const char* masked;
  } cases[] = {
      {"Provider=SQLOLEDB;Data Source=srv;User ID=sa;Password=s3cr3t",
       "Provider=SQLOLEDB;Data Source=srv;User ID=sa;Password=****"},
      {"Driver={FreeTDS};PWD={a;b};Server=x", "Driver={FreeTDS};PWD=****;Server=x"},
      {"pwd = \"a;b\"; password='c'", "pwd =****; password=****"},
      {"sqlite:/x/y.db", "sqlite:/x/y.db"},
      {"Password=", "Password=****"},
  };
  for (const auto& c : cases) EXPECT_EQ(MaskPasswords(c.text), c.masked) << c.text;
}

TEST(ConnectionStringTest, ConnectFailuresSayWhyAndCreateNothing) {
  const std::string folder = testing::MakeTempFolder();
  const std::string path = folder + "/missing.db";
  const struct {
    std::string connection, source, says;
  } cases[] = {
      {"sqlite:" + path, "SQLite - CDataBase.Connect", path + "\": the file does not exist"},
      {"Provider=SQLNCLI11;Data Source=srv;Initial Catalog=x;Integrated Security=SSPI",
       "ODBC - CDataBase.Connect", "not available"},
  };
  for (const auto& c : cases) {
    CDataBase db;
    try {
      db.OpenDB(c.connection);
      ADD_FAILURE() << c.connection;
    } catch (const ComError& e) {
      EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
      EXPECT_EQ(e.source(), c.source);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tipolaria
