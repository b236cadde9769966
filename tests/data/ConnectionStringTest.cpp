#include "data/ConnectionString.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/CDataBase.hpp"
#include "support/ErrorNumber.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

using Kind = ConnectionTarget::Kind;

TEST(ConnectionStringTest, RecognisesTheFormsHostsHold) {
  const DriverList none = [] { return std::vector<std::string>{}; };
  EXPECT_EQ(ParseConnectionString("sqlite:/tmp/a b.db", none).sqlite_path, "/tmp/a b.db");
  EXPECT_EQ(ParseConnectionString("Provider=SQLite;Data Source=/x/y.db", none).sqlite_path,
            "/x/y.db");
  EXPECT_EQ(
      ParseConnectionString("provider = sqlite ; data source = \"/x;y.db\"", none).sqlite_path,
      "/x;y.db");
  EXPECT_EQ(ParseConnectionString("DSN=aduana", none).odbc, "DSN=aduana");
  // The SQLite driver opens a file and never creates an empty one.
  const ConnectionTarget sqlite = ParseConnectionString("Driver={SQLite3};Database=/x.db", none);
  EXPECT_EQ(sqlite.kind, Kind::kOdbc);
  EXPECT_EQ(sqlite.odbc, "Driver={SQLite3};Database=/x.db;NoCreat=1;Timeout=60000;");
  EXPECT_EQ(ParseConnectionString("Driver=SQLite3;Database=/x.db;Timeout=5;", none).odbc,
            "Driver=SQLite3;Database=/x.db;Timeout=5;NoCreat=1;");
  EXPECT_EQ(sqlite.driver, "SQLite3");
  // FreeTDS hands text over in UTF-8 only when told so.
  EXPECT_EQ(ParseConnectionString("Driver={FreeTDS};Server=srv", none).odbc,
            "Driver={FreeTDS};Server=srv;ClientCharset=UTF-8;");
  EXPECT_EQ(ParseConnectionString("Driver=/usr/lib/libtdsodbc.so;ClientCharset=UTF-8", none).odbc,
            "Driver=/usr/lib/libtdsodbc.so;ClientCharset=UTF-8");
}

TEST(ConnectionStringTest, SqlServerProvidersBecomeTheInstalledDriversStrings) {
  const std::vector<std::string> both = {"SQLite3", "FreeTDS", "ODBC Driver 17 for SQL Server",
                                         "ODBC Driver 18 for SQL Server"};
  EXPECT_EQ(ChooseSqlServerDriver(both), "ODBC Driver 18 for SQL Server");
  EXPECT_EQ(ChooseSqlServerDriver({"SQLite3", "FreeTDS"}), "FreeTDS");
  EXPECT_EQ(ChooseSqlServerDriver({"SQLite3"}), "");

  const struct {
    std::vector<std::string> installed;
    const char* host;
    const char* odbc;
  } cases[] = {
      {{"FreeTDS"},
       "Provider=SQLOLEDB.1;Persist Security Info=False;Data Source=srv,1433;"
       "Initial Catalog=Aduana;User ID=sa;Password={p;w}}}",
       "Driver={FreeTDS};Server={srv};Port={1433};Database={Aduana};UID={sa};PWD={p;w}};"
       "ClientCharset=UTF-8;"},
      // FreeTDS reads a braced value up to "};" and undoes no doubling.
      {{"FreeTDS"},
       "Provider=SQLOLEDB;Data Source=srv;User ID=sa;Password={p}}w}",
       "Driver={FreeTDS};Server={srv};UID={sa};PWD={p}w};ClientCharset=UTF-8;"},
      {{"ODBC Driver 18 for SQL Server"},
       "Provider=SQLOLEDB;Data Source=srv;Password={p}}w}",
       "Driver={ODBC Driver 18 for SQL Server};Server={srv};PWD={p}}w};Encrypt=no;"},
      {{"FreeTDS", "ODBC Driver 18 for SQL Server"},
       "Provider=SQLNCLI11;Data Source=(local)\\SQLEXPRESS;Initial Catalog=Aduana;"
       "Integrated Security=SSPI",
       "Driver={ODBC Driver 18 for SQL Server};Server={localhost\\SQLEXPRESS};"
       "Database={Aduana};Trusted_Connection=yes;Encrypt=no;"},
      {{"ODBC Driver 17 for SQL Server"},
       "Provider=MSOLEDBSQL;Data Source=tcp:srv;User ID=u;Password=\"a\"\"b\";"
       "Use Encryption for Data=True;Trust Server Certificate=True",
       "Driver={ODBC Driver 17 for SQL Server};Server={srv};UID={u};PWD={a\"b};Encrypt=yes;"
       "TrustServerCertificate=yes;"},
  };
  for (const auto& c : cases) {
    const ConnectionTarget target = ParseConnectionString(c.host, [&] { return c.installed; });
    EXPECT_EQ(target.kind, Kind::kOdbc);
    EXPECT_EQ(target.odbc, c.odbc);
    EXPECT_EQ(target.driver, c.installed.back());
  }
  const DriverList sqlite_only = [] { return std::vector<std::string>{"SQLite3"}; };
  const std::string says =
      RaisedError([&] {
        ParseConnectionString("Provider=SQLOLEDB;Data Source=srv", sqlite_only);
      }).description();
  EXPECT_NE(says.find("No SQL Server ODBC driver is registered"), std::string::npos) << says;
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
      {"Provider=SQLOLEDB;Password=\"secret", "unclosed quote in the value of password"},
      {"Provider=SQLOLEDB;Password={se}};cret}", "FreeTDS cannot be given a value of PWD"},
  };
  const DriverList freetds = [] { return std::vector<std::string>{"FreeTDS"}; };
  for (const Case& c : cases) {
    const std::string says =
        RaisedError([&] { ParseConnectionString(c.text, freetds); }).description();
    EXPECT_NE(says.find(c.says), std::string::npos) << c.text << ": " << says;
    EXPECT_EQ(says.find("secret"), std::string::npos) << says;
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
      {"DSN=x;PWD={s3;cr}}et};UID=u", "DSN=x;PWD=****;UID=u"},
      {"pwd = 's3''cret'", "pwd =****"},
      // A ";" inside an unquoted password: the rest is the password's too.
      {"Pwd=s3;cret;Server=x", "Pwd=****;Server=x"},
      {"Password=\"s3cret", "Password=****"},
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
      {"Driver={SQLite3};Database=" + path, "SQLite3 - CDataBase.Connect", path},
      {"Driver={NoSuchDriver};PWD=s3cret", "NoSuchDriver - CDataBase.Connect", "PWD=****"},
  };
  for (const auto& c : cases) {
    CDataBase db;
    const ComError e = RaisedError([&] { db.OpenDB(c.connection); });
    EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
    EXPECT_EQ(e.description().find("s3cret"), std::string::npos) << e.description();
    EXPECT_EQ(e.source(), c.source);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tipolaria
