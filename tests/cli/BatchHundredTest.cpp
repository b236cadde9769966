// `tipolaria batch` over a hundred declarations: each to its own files and
// JSON line, the one that fails reported without stopping the others.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "cli/BatchFixture.hpp"
#include "cli/ToolRun.hpp"
#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(BatchCommandTest, AHundredDeclarationsPrintedAndTheOneThatFailsReported) {
  // A hundred copies of the demo declaration, each under its own keys.
  const std::string demo = ReadTestScript("decl_demo.sql");
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
  // No progress bar when stderr is no terminal: the failure's line and the
  // summary alone.
  const std::vector<std::string> err = Lines(run.err);
  ASSERT_EQ(err.size(), 2u) << run.err;
  EXPECT_TRUE(err[0].starts_with("tipolaria: batch: NOT-IN-DDT: generation failed: ")) << err[0];
  EXPECT_TRUE(err[1].starts_with("tipolaria: batch: 101 declarations, 100 printed, 1 failed ("))
      << err[1];

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
    EXPECT_EQ(PageCount(stem + "-cover.pdf"), 3) << n;
    EXPECT_EQ(PageCount(stem + "-continuation.pdf"), 8) << n;
    const std::string text = CommandOutput("pdftotext '" + stem + "-cover.pdf' -");
    char number[8];
    std::snprintf(number, sizeof number, n == 7 ? "%05d" : "%06d", n);
    EXPECT_NE(text.find(number), std::string::npos) << n;
  }
}

}  // namespace
}  // namespace tipolaria::testing
