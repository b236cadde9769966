// `tipolaria batch` as a script runs it: declarations with and without
// continuation pages, and prints that fail without stopping the others.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
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
  const std::vector<std::string> err = Lines(run.err);
  ASSERT_EQ(err.size(), 3u) << run.err;
  EXPECT_TRUE(err[0].starts_with(std::string("tipolaria: batch: ") + kWithoutContinuation +
                                 ": cover print failed: Cannot create the folder"))
      << err[0];
  EXPECT_TRUE(err[2].starts_with("tipolaria: batch: 2 declarations, 0 printed, 2 failed ("))
      << err[2];
}

// Every declaration of a batch is numbered from page 1 whatever came before
// it in the session, the same declaration again included.
TEST_F(BatchCommandTest, EveryDeclarationCountsItsPagesFromTheStart) {
  tdb_.RunScript("decl_demo.sql");
  const ToolRun run =
      RunTool("batch " + db_ + kDemo + " NOPE " + kWithoutContinuation + " " + kDemo);
  EXPECT_EQ(run.status, 4);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2], OkLine(kWithoutContinuation, out_, false));
  EXPECT_EQ(lines[3], OkLine(kDemo, out_, true));
  const std::string stem = out_ + "/" + kDemo;
  EXPECT_EQ(PageCount(stem + "-cover.pdf"), 3);
  EXPECT_EQ(PageCount(stem + "-continuation.pdf"), 8);
  const std::string text = CommandOutput("pdftotext '" + stem + "-cover.pdf' -");
  EXPECT_NE(text.find("1 de 11"), std::string::npos) << text;
}

// A failed declaration's line on stderr names it, besides its JSON line.
TEST_F(BatchCommandTest, AFailedDeclarationIsAlsoALineOnStderr) {
  const ToolRun run = RunTool("batch " + db_ + "NOPE " + kWithoutContinuation);
  EXPECT_EQ(run.status, 4);
  const std::vector<std::string> lines = Lines(run.err);
  ASSERT_EQ(lines.size(), 2u) << run.err;
  EXPECT_EQ(lines[0],
            "tipolaria: batch: NOPE: generation failed: No se encontró la declaración 'NOPE' "
            "(source: GenerateIMP - GenerateIMP)");
  EXPECT_TRUE(lines[1].starts_with("tipolaria: batch: 2 declarations, 1 printed, 1 failed ("))
      << lines[1];
}

// Two jobs print what one prints: the same files, the same JSON lines in the
// order of the list (the demo, first, takes longest), the same summary.
TEST_F(BatchCommandTest, TwoJobsGiveTheFilesAndLinesOfOne) {
  for (const char* script :
       {"decl_demo.sql", "decl_incompleta.sql", "decl_exportacion.sql", "decl_desborde.sql"}) {
    tdb_.RunScript(script);
  }
  const std::string list = std::string(kDemo) + " " + kWithoutContinuation +
                           " 26001IC04000999Z NOT-IN-DDT 26046EC01000871K 26079IC04000321C "
                           "26073IC04000456B 26001IC05000099M";
  struct Batch {
    ToolRun run;
    std::map<std::string, std::string> files;  // name: document
  };
  std::vector<Batch> batches;
  for (const char* jobs : {"1", "2"}) {
    const std::string out = out_ + "-" + jobs;
    Batch batch;
    batch.run =
        RunTool("batch -c '" + tdb_.connection() + "' --oper-date 05/12/2026 --oper 1 " +
                "--referencia-cliente PO-1 --out '" + out + "' --jobs " + jobs + " " + list);
    // The lines name the output folder, which is each batch's own.
    for (std::size_t at; (at = batch.run.out.find(out)) != std::string::npos;) {
      batch.run.out.replace(at, out.size(), "OUT");
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(out)) {
      batch.files[entry.path().filename().string()] = DocumentBytes(entry.path().string());
    }
    batches.push_back(std::move(batch));
  }
  const Batch& one = batches[0];
  const Batch& two = batches[1];
  EXPECT_EQ(one.run.status, 4) << one.run.err;
  EXPECT_EQ(Lines(one.run.out).size(), 8u) << one.run.out;
  EXPECT_EQ(Lines(one.run.out)[0], OkLine(kDemo, "OUT", true));
  EXPECT_EQ(two.run.out, one.run.out);
  EXPECT_EQ(two.run.status, one.run.status);
  const auto summary = [](const std::string& err) {
    const std::string line = Lines(err).back();
    return line.substr(0, line.find(" failed (") + 7);
  };
  EXPECT_EQ(summary(two.run.err), summary(one.run.err));
  EXPECT_EQ(summary(one.run.err), "tipolaria: batch: 8 declarations, 6 printed, 2 failed");
  EXPECT_EQ(one.files.size(), 9u);
  for (const auto& [name, document] : one.files) {
    EXPECT_TRUE(two.files.count(name) == 1 && two.files.at(name) == document) << name;
  }
  EXPECT_EQ(two.files.size(), one.files.size());

  // The statement log is one session's: two jobs would write it at once.
  const ToolRun logged = RunTool("batch -c '" + tdb_.connection() + "' --out '" + out_ +
                                 "-log' --jobs 2 --sql-log '" + out_ + ".log' " + kDemo);
  EXPECT_EQ(logged.status, 2);
  EXPECT_NE(logged.err.find("--sql-log records one session's requests"), std::string::npos)
      << logged.err;
}

}  // namespace
}  // namespace tipolaria::testing
