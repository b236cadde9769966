// `tipolaria batch` as a script runs it: a hundred declarations, each to its
// own files and JSON line, a failure reported without stopping the others.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
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

constexpr const char* kDemo = "26001IC04000123A";
constexpr const char* kWithoutContinuation = "26033EC01000102P";

// A generation syncs the database to disk some fifty times; on a memory file
// system a hundred of them take seconds instead of minutes.
std::string FastFolder() {
  std::error_code ec;
  return fs::is_directory("/dev/shm", ec) ? "/dev/shm" : "";
}

std::string CopyIddtext(int n) {
  char text[32];
  // Copy 7 carries a path separator, which its file names must not follow.
  std::snprintf(text, sizeof text, n == 7 ? "26001IC04/%05dA" : "26001IC04%06dA", n);
  return text;
}

std::string FileStem(const std::string& iddtext) {
  std::string stem = iddtext;
  if (const std::size_t slash = stem.find('/'); slash != std::string::npos) {
    stem.replace(slash, 1, "%2F");
  }
  return stem;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
       start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

std::string OkLine(const std::string& iddtext, const std::string& out, bool continuation) {
  const std::string stem = out + "/" + FileStem(iddtext);
  return "{\"iddtext\": \"" + iddtext + "\", \"Result\": \"OK\", \"cover\": \"" + stem +
         "-cover.pdf\", \"continuation\": " +
         (continuation ? "\"" + stem + "-continuation.pdf\"" : std::string("null")) + "}";
}

class BatchCommandTest : public ::testing::Test {
 protected:
  BatchCommandTest() : tdb_(FastFolder()), out_(tdb_.folder() + "/out") {}
  void SetUp() override {
    tdb_.RunScript("decl_catalogo.sql");
    tdb_.RunScript("decl_sin_liquidacion.sql");
    db_ = "-c '" + tdb_.connection() + "' --oper-date 05/12/2026 --out '" + out_ + "' ";
  }

  testing::TestDatabase tdb_;
  std::string out_;
  std::string db_;
};

TEST_F(BatchCommandTest, AHundredDeclarationsPrintedAndTheOneThatFailsReported) {
  // A hundred copies of the demo declaration, each under its own keys.
  const std::string demo = testing::ReadTestScript("decl_demo.sql");
  std::string copies;
  std::vector<std::string> list;
  for (int n = 0; n < 100; ++n) {
    std::string copy = demo;
    char iddt[16];
    std::snprintf(iddt, sizeof iddt, "27%08d", n);
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"2600012345", iddt}, {kDemo, CopyIddtext(n)}}) {
      for (std::size_t at; (at = copy.find(from)) != std::string::npos;)
        copy.replace(at, from.size(), to);
    }
    copies += copy;
    list.push_back(CopyIddtext(n));
  }
  tdb_.Run(copies);
  list.insert(list.begin() + 50, "NOT-IN-DDT");
  // The list as another system writes it: CR LF, blanks, an empty line.
  {
    std::ofstream file(tdb_.folder() + "/list.txt");
    for (const std::string& iddtext : list) file << "  " << iddtext << " \r\n";
    file << "\r\n";
  }

  const ToolRun run = RunTool("batch " + db_ + "--from '" + tdb_.folder() + "/list.txt'");
  EXPECT_EQ(run.status, 4);
  // No progress bar when stderr is no terminal: the summary alone.
  EXPECT_TRUE(run.err.starts_with("tipolaria: batch: 101 declarations, 100 printed, 1 failed ("))
      << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;

  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 101u);
  std::set<std::string> expected_files;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i == 50) {
      EXPECT_EQ(lines[i],
                "{\"iddtext\": \"NOT-IN-DDT\", \"Result\": \"ERR\", \"cover\": null, "
                "\"continuation\": null, \"error\": {\"Result\": \"ERR\", \"errorMessage\": "
                "\"No se encontró la declaración 'NOT-IN-DDT'\", "
                "\"source\":\"GenerateIMP - GenerateIMP\"}}");
      continue;
    }
    EXPECT_EQ(lines[i], OkLine(list[i], out_, true));
    expected_files.insert(FileStem(list[i]) + "-cover.pdf");
    expected_files.insert(FileStem(list[i]) + "-continuation.pdf");
  }
  std::set<std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(out_)) {
    files.insert(entry.path().filename().string());
  }
  EXPECT_EQ(files, expected_files);
  // Each document is its own declaration's, whole.
  for (const int n : {0, 7, 57, 99}) {
    const std::string stem = out_ + "/" + FileStem(CopyIddtext(n));
    EXPECT_EQ(testing::PageCount(stem + "-cover.pdf"), 3) << n;
    EXPECT_EQ(testing::PageCount(stem + "-continuation.pdf"), 8) << n;
    const std::string text = testing::CommandOutput("pdftotext '" + stem + "-cover.pdf' -");
    char number[8];
    std::snprintf(number, sizeof number, n == 7 ? "%05d" : "%06d", n);
    EXPECT_NE(text.find(number), std::string::npos) << n;
  }
}

TEST_F(BatchCommandTest, NoContinuationFileWithoutContinuationPagesAndPrintFailuresGoOn) {
  tdb_.RunScript("decl_demo.sql");
  fs::create_directories(out_);
  // A document an earlier batch left belongs to another generation.
  const std::string stale = out_ + "/" + kWithoutContinuation + "-continuation.pdf";
  { std::ofstream(stale) << "old"; }

  ToolRun run =
      RunTool("batch " + db_ + kWithoutContinuation + " " + kDemo + " --png '" + out_ + "/png'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Lines(run.out), (std::vector<std::string>{OkLine(kWithoutContinuation, out_, false),
                                                      OkLine(kDemo, out_, true)}));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_EQ(std::distance(fs::directory_iterator(out_ + "/png"), fs::directory_iterator()), 12);

  // Pictures that cannot be written fail each print; every declaration is
  // still tried, and the status is the print's.
  const std::string a_file = tdb_.folder() + "/a-file";
  { std::ofstream(a_file) << "x"; }
  run = RunTool("batch " + db_ + kWithoutContinuation + " " + kDemo + " --png '" + a_file + "'");
  EXPECT_EQ(run.status, 5);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2u);
  for (const std::string& line : lines) {
    EXPECT_NE(line.find("\"Result\": \"ERR\", \"cover\": null, \"continuation\": null, "
                        "\"error\": {\"Result\": \"ERR\", \"errorMessage\": \"Cannot create the "
                        "folder of the page pictures"),
              std::string::npos)
        << line;
  }
  EXPECT_TRUE(run.err.starts_with("tipolaria: batch: 2 declarations, 0 printed, 2 failed ("))
      << run.err;
}

}  // namespace
}  // namespace tipolaria
