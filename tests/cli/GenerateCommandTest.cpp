// `tipolaria generate` and `tipolaria db` as a script runs them: the built
// program on a database file, its standard output and its exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/ToolRun.hpp"
#include "runtime/Utf8.hpp"
#include "support/JsonResults.hpp"
#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

using testing::RunTool;
using testing::ToolRun;

using testing::kOkLine;

TEST(GenerateCommandTest, PrintsTheJsonResultAndExitsWithIt) {
  testing::TestDatabase tdb;
  tdb.Run(R"(
    INSERT INTO DDT (iddt, iddtext, ista, cddtbur) VALUES ('D1', '16001IC04000123A', 'X', '001');
    INSERT INTO BUR VALUES ('001', 'BUENOS AIRES', '2020-01-01', '2026-01-01');
  )");
  const std::string db = "-c '" + tdb.connection() + "' ";
  ToolRun run = RunTool("generate " + db + "--iddtext 16001IC04000123A --idorig 16001IC04000777@ " +
                        "--referencia-cliente 'CLIENTE 7' --oper-date 31/12/2025");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kOkLine);
  // The office is valid only before 2026: the operation date was applied.
  EXPECT_EQ(tdb.Column("SELECT VALOR FROM IMP WHERE NRO_CAMPO IN ('c1', 'c3', 'cQOR1') "
                       "ORDER BY rowid"),
            (std::vector<std::string>{"BUENOS AIRES", "16   001   IC04   000777", "CLIENTE 7"}));

  run = RunTool("generate " + db + "--iddtext NOPE");
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.out,
            "{\"Result\": \"ERR\", \"errorMessage\": \"No se encontró la declaración 'NOPE'\", "
            "\"source\":\"GenerateIMP - GenerateIMP\"}\n");
  // The failure is also the one line on stderr that every error gives.
  EXPECT_EQ(run.err,
            "tipolaria: generation failed: No se encontró la declaración 'NOPE' (source: "
            "GenerateIMP - GenerateIMP)\n");
  // A terminal's control sequence in a value reaches stderr as text.
  run = RunTool("generate " + db + "--iddtext \"$(printf 'A\\033[2JB\\302\\233C')\"");
  EXPECT_EQ(run.status, 4);
  EXPECT_NE(run.err.find("'A\\x1b[2JB\\xc2\\x9bC'"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("'A\\u001b[2JB\\u009bC'"), std::string::npos) << run.out;
}

// One exit status per kind of failure; failures before the generation have
// no JSON result (stderr only), the others have theirs on stdout.
TEST(GenerateCommandTest, ExitStatusTellsTheKindOfFailure) {
  testing::TestDatabase tdb;
  tdb.RunScript("decl_catalogo.sql");
  tdb.RunScript("decl_demo.sql");
  const std::string db = "-c '" + tdb.connection() + "' ";
  const std::string demo = "generate " + db + "--iddtext 26001IC04000123A ";
  const std::string out = tdb.folder();
  const std::string a_file = out + "/a-file";
  std::filesystem::create_directories(out + "/sub");
  { std::ofstream(a_file) << "x"; }
  struct Case {
    std::string arguments;
    int status;
    std::string in_out;  // a piece of stdout; empty: stdout is empty
  };
  const Case cases[] = {
      {"generate " + db, 2, ""},  // --iddtext missing
      {demo + "--oper -5", 2, ""},
      {demo + "--oper 0x10", 2, ""},
      {demo + "--lock-timeout -1", 2, ""},
      {demo + "--sql-log ''", 2, ""},
      {demo + "--sql-log '" + out + "/no/such/folder/log.sql'", 2, ""},
      {demo + "--oper-date 2025-12-31", 2, ""},
      {"generate -c 'sqlite:" + out + "/missing.db' --iddtext X", 3, ""},
      {demo + "--cover '" + out + "/no/such/folder/a.pdf'", 5, "Cannot write the PDF file"},
      // A file where the pictures' folder should be: the print's failure,
      // not an abort, and the PDF of that print stays unwritten.
      {demo + "--cover '" + out + "/b.pdf' --png '" + a_file + "'", 5,
       "Cannot create the folder of the page pictures '" + a_file + "': Not a directory"},
      {demo + "--cover '" + out + "/c.pdf' --desde -1", 5,
       "Invalid print range from page -1 to 32767"},
      {"db check -c 'sqlite:" + a_file + "'", 3, ""},
  };
  for (const Case& c : cases) {
    const ToolRun run = RunTool(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
    if (c.in_out.empty()) {
      EXPECT_EQ(run.out, "") << c.arguments;
    } else {
      EXPECT_NE(run.out.find(c.in_out), std::string::npos) << c.arguments << "\n" << run.out;
    }
    // With or without a JSON result, the error is one line on stderr.
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.arguments << "\n"
                                                                   << run.err;
    EXPECT_TRUE(run.err.starts_with("tipolaria: ")) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(out + "/b.pdf"));
  EXPECT_FALSE(std::filesystem::exists(out + "/c.pdf"));

  const ToolRun version = RunTool("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("tipolaria 1.")) << version.out;
  const ToolRun help = RunTool("generate --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("5 print error"), std::string::npos) << help.out;
}

TEST(GenerateCommandTest, OutputIsValidUtf8AndDbCheckProvesTheSchemaWithoutPasswords) {
  testing::TestDatabase tdb;
  // A byte that is no UTF-8 (Latin-1 from another terminal) in an argument.
  ToolRun run =
      RunTool("generate -c '" + tdb.connection() + "' --iddtext \"$(printf 'X\\351\\377')\"");
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(EncodeUtf8(DecodeUtf8(run.out)), run.out);  // nothing needed mending
  EXPECT_NE(run.out.find("'Xéÿ'"), std::string::npos) << run.out;

  run = RunTool("db check -c 'Provider=SQLite;Data Source=" + tdb.folder() +
                "/customs.db;Password=s3cr3t;PWD={x;y}'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("s3cr3t"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("x;y"), std::string::npos) << run.out;

  const std::string empty = tdb.folder() + "/empty.db";
  { std::ofstream(empty).flush(); }
  run = RunTool("db check -c 'sqlite:" + empty + "'");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("none of the tables"), std::string::npos) << run.err;
  tdb.Run("DROP TABLE DBK");
  run = RunTool("db check -c '" + tdb.connection() + "'");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("lacks the tables DBK"), std::string::npos) << run.err;
}

// A word in a column of amounts and a day written day first, found where
// they are before a print shows them as they stand.
TEST(GenerateCommandTest, DbCheckNamesEveryValueThatIsNotANumberOrADate) {
  testing::TestDatabase tdb;
  tdb.Run(
      "INSERT INTO LQA (iliq, nart, mlqa) VALUES ('26001LIQ0001', '0001', 'mil');"
      "INSERT INTO DDT (iddtext, dddtarvtrn) VALUES ('26001IC04000123A', '05/12/2026');");
  const ToolRun run = RunTool("db check -c '" + tdb.connection() + "'");
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out,
            "DDT.dddtarvtrn holds \"05/12/2026\", not a date: row 1 (iddtext 26001IC04000123A)\n"
            "LQA.mlqa holds \"mil\", not a number: row 1 (iliq 26001LIQ0001, nart 0001)\n");
  EXPECT_NE(run.err.find("holds 2 values that are not a number or a date where one is expected"),
            std::string::npos)
      << run.err;
}

// The range asked for is the range printed, as `print` prints it: the
// generation starts from no pages, and a range clamped against them would
// print from page 1.
TEST(GenerateCommandTest, PrintsTheRangeAskedForAsPrintDoes) {
  testing::TestDatabase tdb;
  tdb.RunScript("decl_catalogo.sql");
  tdb.RunScript("decl_demo.sql");
  const std::string db = "-c '" + tdb.connection() + "' ";
  const auto pdf = [&](const std::string& name) { return tdb.folder() + "/" + name + ".pdf"; };
  const auto documents = [&](const std::string& prefix) {
    return " --cover '" + pdf(prefix + "-cover") + "' --continuation '" +
           pdf(prefix + "-continuation") + "'";
  };
  // The page numbers printed ("n de 11"), in the document's order.
  const auto pages = [](const std::string& file) {
    std::vector<std::string> numbers;
    const std::string text = testing::CommandOutput("pdftotext '" + file + "' -");
    for (std::size_t at = text.find(" de 11"); at != std::string::npos;
         at = text.find(" de 11", at + 1)) {
      std::size_t first = at;
      while (first > 0 && std::isdigit(static_cast<unsigned char>(text[first - 1]))) --first;
      if (first < at) numbers.push_back(text.substr(first, at - first));
    }
    return numbers;
  };
  const std::string generate = "generate " + db + "--iddtext 26001IC04000123A ";
  struct Case {
    std::string range;
    std::vector<std::string> cover, continuation;
  } const cases[] = {
      {"--desde 2 --hasta 4", {"2", "3"}, {"4"}},
      {"--desde 3", {"3"}, {"4", "5", "6", "7", "8", "9", "10", "11"}},
      {"--hasta 2", {"1", "2"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.range);
    for (const char* prefix : {"generated", "printed"}) {
      const std::string cover = pdf(std::string(prefix) + "-cover");
      const std::string continuation = pdf(std::string(prefix) + "-continuation");
      std::filesystem::remove(continuation);
      const ToolRun run = RunTool((prefix == std::string("generated") ? generate : "print " + db) +
                                  c.range + documents(prefix));
      // No continuation page in the range: that print fails, the cover's not.
      EXPECT_EQ(run.status, c.continuation.empty() ? 5 : 0) << prefix << "\n" << run.err;
      EXPECT_EQ(pages(cover), c.cover) << prefix;
      EXPECT_EQ(testing::PageCount(cover), static_cast<int>(c.cover.size())) << prefix;
      if (c.continuation.empty()) {
        EXPECT_FALSE(std::filesystem::exists(continuation)) << prefix;
      } else {
        EXPECT_EQ(pages(continuation), c.continuation) << prefix;
        EXPECT_EQ(testing::PageCount(continuation), static_cast<int>(c.continuation.size()));
      }
    }
  }
}

TEST(GenerateCommandTest, PrintsBothDocumentsOfAWholeDeclaration) {
  testing::TestDatabase tdb;
  tdb.RunScript("decl_catalogo.sql");
  tdb.RunScript("decl_demo.sql");
  tdb.Run("CREATE TABLE cantidad_items AS SELECT 25 AS n;");
  tdb.RunScript("decl_items.sql");
  const std::string cover = tdb.folder() + "/cover.pdf";
  const std::string continuation = tdb.folder() + "/continuation.pdf";
  const ToolRun outcome =
      RunTool("generate -c '" + tdb.connection() + "' --iddtext 26001IC04000777C --oper 1 " +
              "--fecofi '05/12/2026 10:42:17' --oper-date 05/12/2026 --cover '" + cover +
              "' --continuation '" + continuation + "'");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "{\"Result\": \"OK\"}\n{\"Result\": \"OK\"}\n{\"Result\": \"OK\"}\n");
  // The cover and 24 item pages; the continuation pages after them.
  EXPECT_EQ(testing::PageCount(cover), 25);
  const int total = std::stoi(tdb.Column("SELECT max(NRO_HOJA) FROM IMP").at(0));
  EXPECT_EQ(testing::PageCount(continuation), total - 25);
  const std::string last = testing::CommandOutput("pdftotext -f " + std::to_string(total - 25) +
                                                  " '" + continuation + "' -");
  EXPECT_NE(last.find(std::to_string(total) + " de " + std::to_string(total)), std::string::npos);
}

}  // namespace
}  // namespace tipolaria
