// `tipolaria batch` as a script runs it: declarations with and without
// continuation pages, and prints that fail without stopping the others.
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
}  // namespace tipolaria::testing
