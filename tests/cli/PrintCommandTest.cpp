// `tipolaria print`, `imp dump` and `demo` as a script runs them, and the
// one-line message and exit status of every command's error paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/ToolRun.hpp"
#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

namespace fs = std::filesystem;
using testing::RunTool;
using testing::ToolRun;

constexpr const char* kOk = "{\"Result\": \"OK\"}\n";
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
  EXPECT_EQ(run.out, std::string(kOk) + kOk);
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
  )");
  ToolRun run = RunTool("imp dump " + db_);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "0\t1\tc150\t\\N\n"
            "2\t0\tc2\ta\\tb\\r\\nc\\\\d\n"
            "2\t0\tc2\tlater\n"
            "2\t0\tc10\tÑandú\n"
            "2\t0\tcQOR1\tref\n"
            "2\t1\tc10\tdiez\n"
            "10\t0\tc1\tdiez\n");

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

TEST(DemoCommandTest, BuildsTheDemoDatabaseAndPrintsItAgainOnASecondRun) {
  const std::string folder = testing::MakeTempFolder();
  const std::string out = folder + "/demo out";
  for (int run_number = 0; run_number < 2; ++run_number) {
    const ToolRun run = RunTool("demo --out '" + out + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kOk) + kOk + kOk);
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
      {"print --cover x.pdf", 2, "--connection is required"},
      {"print " + db_, 2, "nothing to print"},
      {"print " + db_ + "--cover x.pdf --copias many", 2, "many"},
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
  for (const Case& c : cases) {
    const ToolRun run = RunTool(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
    EXPECT_EQ(run.out, "") << c.arguments;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.arguments << "\n"
                                                                   << run.err;
    EXPECT_TRUE(run.err.starts_with("tipolaria: ")) << run.err;
    EXPECT_NE(run.err.find(c.in_err), std::string::npos) << c.arguments << "\n" << run.err;
  }
  const ToolRun help = RunTool("batch --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("4 when any"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace tipolaria
