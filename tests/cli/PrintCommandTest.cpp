// `tipolaria print`, `imp dump` and `demo` as a script runs them, and the
// one-line message and exit status of every command's error paths.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/ToolRun.hpp"
#include "support/JsonResults.hpp"
#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

namespace fs = std::filesystem;
using testing::RunTool;
using testing::ToolRun;

using testing::kOkLine;
constexpr const char* kDemo = "26001IC04000123A";

std::string Text(const std::string& pdf) {
  return testing::CommandOutput("pdftotext -layout '" + pdf + "' -");
}

class PrintCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.RunScript("decl_catalogo.sql");
    tdb_.RunScript("decl_demo.sql");
    db_ = "-c '" + tdb_.connection() + "' ";
  }
  std::string Out(const std::string& name) const { return tdb_.folder() + "/" + name; }
  std::string Documents(const std::string& prefix) const {
    return "--cover '" + Out(prefix + "-cover.pdf") + "' --continuation '" +
           Out(prefix + "-continuation.pdf") + "'";
  }
  void GenerateDemo(const std::string& more = "") {
    const ToolRun run = RunTool("generate " + db_ + "--iddtext " + kDemo +
                                " --oper 1 --oper-date 05/12/2026 --copias 2 " + more);
    ASSERT_EQ(run.status, 0) << run.err;
  }

  testing::TestDatabase tdb_;
  std::string db_;
};

// A print in another process shows exactly what the generation's own
// session printed: the same pages, split between the documents alike.
TEST_F(PrintCommandTest, PrintsWhatAnotherProcessGenerated) {
  GenerateDemo(Documents("generated"));
  const ToolRun run = RunTool("print " + db_ + "--copias 2 " + Documents("printed"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, std::string(kOkLine) + kOkLine);
  for (const char* document : {"-cover.pdf", "-continuation.pdf"}) {
    EXPECT_EQ(Text(Out(std::string("printed") + document)),
              Text(Out(std::string("generated") + document)))
        << document;
  }
  EXPECT_EQ(testing::PageCount(Out("printed-cover.pdf")), 3);
  EXPECT_EQ(testing::PageCount(Out("printed-continuation.pdf")), 8);

  // A range across the two documents: pages 3 and 4 of 11.
  ASSERT_EQ(RunTool("print " + db_ + "--desde 3 --hasta 4 " + Documents("range")).status, 0);
  EXPECT_EQ(testing::PageCount(Out("range-cover.pdf")), 1);
  EXPECT_EQ(testing::PageCount(Out("range-continuation.pdf")), 1);
  EXPECT_NE(Text(Out("range-continuation.pdf")).find("4 de 11"), std::string::npos);
  // Numbers are decimal: a leading zero makes no octal number (page 8).
  ASSERT_EQ(RunTool("print " + db_ + "--desde 010 " + Documents("zero")).status, 5);
  EXPECT_EQ(testing::PageCount(Out("zero-continuation.pdf")), 2);
}

// The dump against the table: every row once, ordered by page, type and
// field number, values escaped so that each row is one line.
TEST_F(PrintCommandTest, ImpDumpListsTheRowsInPageTypeAndFieldOrder) {
  tdb_.Run(R"(
    INSERT INTO IMP VALUES (2, 1, 'c10', 'diez');
    INSERT INTO IMP VALUES (2, 0, 'cQOR1', 'ref');
    INSERT INTO IMP VALUES (2, 0, 'c2', 'a' || char(9) || 'b' || char(13, 10) || 'c\d');
    INSERT INTO IMP VALUES (0, 1, 'c150', NULL);
    INSERT INTO IMP VALUES (10, 0, 'c1', 'diez');
    INSERT INTO IMP VALUES (2, 0, 'c2', 'later');
    INSERT INTO IMP VALUES (2, 0, 'c10', 'Ñandú');
    INSERT INTO IMP VALUES (3, 0, 'c1', 'x' || char(27) || '[2J' || char(7, 127, 155) || 'y');
  )");
  ToolRun run = RunTool("imp dump " + db_);
  EXPECT_EQ(run.status, 0) << run.err;
  // Control characters (ESC, BEL, DEL, and CSI written in UTF-8) reach no
  // terminal: they are written byte by byte as \xHH.
  EXPECT_EQ(run.out,
            "0\t1\tc150\t\\N\n"
            "2\t0\tc2\ta\\tb\\r\\nc\\\\d\n"
            "2\t0\tc2\tlater\n"
            "2\t0\tc10\tÑandú\n"
            "2\t0\tcQOR1\tref\n"
            "2\t1\tc10\tdiez\n"
            "3\t0\tc1\tx\\x1b[2J\\x07\\x7f\\xc2\\x9by\n"
            "10\t0\tc1\tdiez\n");
  if (!testing::TestDatabase::ThroughOdbc()) {
    // A byte that is no UTF-8 is read as Latin-1, as everywhere in the
    // library: 0x9B is CSI there, while a Latin-1 letter is written as it is.
    tdb_.Run("DELETE FROM IMP; INSERT INTO IMP VALUES (1, 0, 'c1', CAST(X'419BD142' AS TEXT))");
    run = RunTool("imp dump " + db_);
    EXPECT_EQ(run.out,
              "1\t0\tc1\tA\\x9b\xd1"
              "B\n");
  }

  // A whole generation: the dump holds the table's rows, no more, no less.
  GenerateDemo();
  run = RunTool("imp dump " + db_);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> dumped = testing::Lines(run.out);
  std::vector<std::string> table = tdb_.Column(
      "SELECT NRO_HOJA || char(9) || TIPO || char(9) || NRO_CAMPO || char(9) || "
      "replace(replace(replace(replace(VALOR, '\\', '\\\\'), char(9), '\\t'), char(10), '\\n'), "
      "char(13), '\\r') FROM IMP");
  EXPECT_GT(table.size(), 300u);
  std::vector<std::string> sorted = dumped;
  std::sort(sorted.begin(), sorted.end());
  std::sort(table.begin(), table.end());
  EXPECT_EQ(sorted, table);
  EXPECT_EQ(dumped.front().substr(0, 7), "1\t0\tc1\t");
  EXPECT_EQ(dumped.back().substr(0, 3), "11\t");
}

// A cover that cannot be written does not keep the continuation from being
// printed: both are tried, both results reported, the failure also on stderr.
TEST_F(PrintCommandTest, AFailedCoverPrintStillPrintsTheContinuation) {
  GenerateDemo();
  const std::string documents = "--cover '" + Out("no/such/folder/c.pdf") + "' --continuation '" +
                                Out("continuation.pdf") + "'";
  const ToolRun run = RunTool("print " + db_ + documents);
  EXPECT_EQ(run.status, 5);
  const std::vector<std::string> lines = testing::Lines(run.out);
  ASSERT_EQ(lines.size(), 2u) << run.out;
  EXPECT_TRUE(
      lines[0].starts_with("{\"Result\": \"ERR\", \"errorMessage\": \"Cannot write the "
                           "PDF file"))
      << lines[0];
  EXPECT_EQ(lines[1] + "\n", kOkLine);
  EXPECT_EQ(testing::PageCount(Out("continuation.pdf")), 8);
  EXPECT_TRUE(run.err.starts_with("tipolaria: cover print failed: Cannot write the PDF file"))
      << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;

  // The same in the session of a generation.
  fs::remove(Out("continuation.pdf"));
  const ToolRun generated = RunTool("generate " + db_ + "--iddtext " + kDemo + " " + documents);
  EXPECT_EQ(generated.status, 5);
  EXPECT_EQ(testing::Lines(generated.out).size(), 3u) << generated.out;
  EXPECT_EQ(testing::PageCount(Out("continuation.pdf")), 8);
}

// The connection string from a file that only its owner may read, or from
// the environment, for every command that opens a customs database: the
// password stays out of the process list.
TEST_F(PrintCommandTest, ConnectionFromAPrivateFileOrTheEnvironment) {
  GenerateDemo();
  const std::string file = Out("connection");
  { std::ofstream(file) << tdb_.connection() << "\r\n"; }
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  const std::string commands[] = {
      "generate --iddtext " + std::string(kDemo) + " --cover '" + Out("g.pdf") + "'",
      "print --cover '" + Out("p.pdf") + "'",
      "batch --out '" + Out("batch") + "' " + kDemo,
      "imp dump",
      "db check",
  };
  unsetenv("TIPOLARIA_CONNECTION");
  for (const std::string& command : commands) {
    const ToolRun run = RunTool(command + " --connection-file '" + file + "'");
    EXPECT_EQ(run.status, 0) << command << "\n" << run.err;
    EXPECT_FALSE(run.out.empty()) << command;
  }
  setenv("TIPOLARIA_CONNECTION", tdb_.connection().c_str(), 1);
  for (const std::string& command : commands) {
    const ToolRun run = RunTool(command);
    EXPECT_EQ(run.status, 0) << command << "\n" << run.err;
  }
  // --connection wins over the environment.
  ToolRun run = RunTool("db check -c 'sqlite:" + Out("missing.db") + "'");
  EXPECT_EQ(run.status, 3) << run.err;
  unsetenv("TIPOLARIA_CONNECTION");

  // A file that others may read is refused, and what it holds never shows.
  { std::ofstream(file) << "Driver={FreeTDS};Server=s;UID=u;PWD=s3cr3t\n"; }
  fs::permissions(file, fs::perms::group_read, fs::perm_options::add);
  run = RunTool("imp dump --connection-file '" + file + "'");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "tipolaria: the connection file \"" + file +
                         "\" may be read or written by other users (mode 0640): it holds the "
                         "password of the database; make it its owner's alone (chmod 600)\n");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  run = RunTool("db check --connection-file '" + file + "'");
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err.find("s3cr3t"), std::string::npos) << run.err;

  struct Case {
    std::string content;  // empty: no file at all
    std::string arguments;
    std::string in_err;
  } const cases[] = {
      {"", "--connection-file '" + Out("none") + "'", "\"" + Out("none") + "\" cannot be read"},
      {" \n\n", "--connection-file '" + file + "'", "is empty"},
      {"sqlite:a\nsqlite:b\n", "--connection-file '" + file + "'", "holds more than one line"},
      {"sqlite:a", "--connection-file '" + file + "' -c sqlite:b", "excludes"},
  };
  for (const Case& c : cases) {
    if (!c.content.empty()) std::ofstream(file) << c.content;
    run = RunTool("imp dump " + c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_NE(run.err.find(c.in_err), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

TEST(DemoCommandTest, BuildsTheDemoDatabaseAndPrintsItAgainOnASecondRun) {
  const std::string folder = testing::MakeTempFolder();
  const std::string out = folder + "/demo out";
  for (int run_number = 0; run_number < 2; ++run_number) {
    const ToolRun run = RunTool("demo --out '" + out + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kOkLine) + kOkLine + kOkLine);
  }
  EXPECT_EQ(testing::PageCount(out + "/demo-cover.pdf"), 3);
  EXPECT_EQ(testing::PageCount(out + "/demo-continuation.pdf"), 8);
  EXPECT_EQ(std::distance(fs::directory_iterator(out + "/png"), fs::directory_iterator()), 11);
  EXPECT_NE(Text(out + "/demo-cover.pdf").find("O'BRIEN, JUAN PATRICIO"), std::string::npos);
  EXPECT_FALSE(fs::exists(out + "/demo.db.new"));
  // The database is the demo's: the print command prints it again.
  const ToolRun again =
      RunTool("print -c 'sqlite:" + out + "/demo.db' --cover '" + folder + "/again.pdf'");
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(Text(folder + "/again.pdf"), Text(out + "/demo-cover.pdf"));
  fs::remove_all(folder);
}

// Every error: one line on stderr, nothing on stdout, the documented status.
TEST_F(PrintCommandTest, EveryErrorIsOneLineWithItsExitStatus) {
  const std::string a_file = Out("a-file");
  { std::ofstream(a_file) << "x"; }
  const std::string missing = "-c 'sqlite:" + Out("missing.db") + "' ";
  const std::string not_customs = "-c 'sqlite:" + Out("empty.db") + "' ";
  { std::ofstream(Out("empty.db")).flush(); }
  struct Case {
    std::string arguments;
    int status;
    std::string in_err;
  };
  const Case cases[] = {
      {"", 2, "A subcommand is required"},
      {"frobnicate", 2, "A subcommand is required"},
      {"print " + db_ + "--bogus", 2, "--bogus"},
      {"print --cover x.pdf", 2, "no database given: give --connection CONN or --connection-file"},
      {"print " + db_, 2, "nothing to print"},
      {"print " + db_ + "--cover x.pdf --copias many", 2, "many"},
      // The range of a value refused, in a few words.
      {"print " + db_ + "--cover x.pdf --copias 99999", 2,
       "--copias: 99999 is not a whole number from -32768 to 32767"},
      {"print " + db_ + "--cover x.pdf --desde 1e3", 2,
       "--desde: 1e3 is not a whole number from -32768 to 32767"},
      {"imp dump " + db_ + "--lock-timeout -1", 2,
       "--lock-timeout: -1 is not a whole number from 0 to 2147483647"},
      {"batch " + db_ + "--out '" + Out("o") + "' --from '" + tdb_.folder() + "'", 2,
       "cannot read the list of declarations \"" + tdb_.folder() + "\": Is a directory"},
      {"print " + missing + "--cover x.pdf", 3, "missing.db"},
      {"print " + not_customs + "--cover x.pdf", 3, "IMP"},
      {"print " + db_ + "--cover x.pdf", 5, "is empty: nothing to print"},
      {"imp", 2, "A subcommand is required"},
      {"imp dump " + missing, 3, "missing.db"},
      {"imp dump " + not_customs, 3, "IMP"},
      {"batch " + db_ + "--out '" + Out("o") + "'", 2, "no declaration to print"},
      {"batch " + db_ + "--out '" + Out("o") + "' --from '" + Out("no-list") + "'", 2,
       "cannot read the list of declarations"},
      {"batch " + db_ + "--out '" + Out("o") + "' --from '" + a_file + "' X", 2, "excludes"},
      {"batch " + db_ + "--out '" + a_file + "' X", 5, "cannot create the output folder"},
      {"batch " + missing + "--out '" + Out("o") + "' X", 3, "missing.db"},
      {"batch " + db_ + "--out '" + Out("o") + "' --oper-date 31/02/2026 X", 2,
       "Invalid operation date"},
      {"demo --out '" + a_file + "'", 3, "cannot create the folder"},
      {"db init '" + a_file + "'", 3, "a-file"},
  };
  unsetenv("TIPOLARIA_CONNECTION");
  for (const Case& c : cases) {
    const ToolRun run = RunTool(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
    EXPECT_EQ(run.out, "") << c.arguments;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.arguments << "\n"
                                                                   << run.err;
    EXPECT_LT(run.err.size(), 300u) << run.err;
    EXPECT_TRUE(run.err.starts_with("tipolaria: ")) << run.err;
    EXPECT_NE(run.err.find(c.in_err), std::string::npos) << c.arguments << "\n" << run.err;
  }
  const ToolRun help = RunTool("batch --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("4 when any"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace tipolaria
