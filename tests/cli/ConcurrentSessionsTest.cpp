// Sessions on one database at once, as real processes: each prints only what
// its own generation wrote, a wait is said and bounded, and a print that is
// killed or interrupted leaves nothing behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "cli/ToolRun.hpp"
#include "support/JsonResults.hpp"
#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"

extern char** environ;

namespace tipolaria {
namespace {

namespace fs = std::filesystem;
using testing::RunTogether;
using testing::RunTool;
using testing::ToolRun;

// Two short declarations, so that many sessions run in little time: an
// import and an export, whose covers differ in nearly every field.
constexpr const char* kImport = "26001IC04000999Z";
constexpr const char* kExport = "26033EC01000102P";
using testing::kOkLine;

class ConcurrentSessionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* script :
         {"decl_catalogo.sql", "decl_incompleta.sql", "decl_sin_liquidacion.sql"}) {
      tdb_.RunScript(script);
    }
  }

  std::string Generate(const std::string& iddtext, const std::string& pdf,
                       const std::string& more = "") {
    return "generate -c '" + tdb_.connection() + "' --iddtext " + iddtext +
           " --oper-date 05/12/2026 --cover '" + pdf + "' " + more;
  }
  std::string Out(const std::string& name) { return tdb_.folder() + "/" + name; }
  static std::string Text(const std::string& pdf) {
    return testing::CommandOutput("pdftotext -layout '" + pdf + "' -");
  }
  // The text of the declaration's cover printed by a session alone.
  std::string Alone(const std::string& iddtext) {
    const ToolRun run = RunTool(Generate(iddtext, Out("alone.pdf")));
    EXPECT_EQ(run.out, std::string(kOkLine) + kOkLine) << run.err;
    return Text(Out("alone.pdf"));
  }

  testing::TestDatabase tdb_;
};

TEST_F(ConcurrentSessionsTest, EachOfTwentyPairsPrintsOnlyItsOwnDeclaration) {
  const std::string import_text = Alone(kImport);
  const std::string export_text = Alone(kExport);
  ASSERT_NE(import_text, export_text);
  for (int pair = 0; pair < 20; ++pair) {
    fs::remove(Out("import.pdf"));
    fs::remove(Out("export.pdf"));
    const std::vector<ToolRun> runs =
        RunTogether({Generate(kImport, Out("import.pdf")), Generate(kExport, Out("export.pdf"))});
    for (const ToolRun& run : runs) {
      EXPECT_EQ(run.status, 0) << "pair " << pair << ": " << run.err;
      EXPECT_EQ(run.out, std::string(kOkLine) + kOkLine) << "pair " << pair;
    }
    EXPECT_EQ(Text(Out("import.pdf")), import_text) << "pair " << pair;
    EXPECT_EQ(Text(Out("export.pdf")), export_text) << "pair " << pair;
  }
}

TEST_F(ConcurrentSessionsTest, TheSameDeclarationTwiceAtOnceLeavesItsRowsOnce) {
  const std::string text = Alone(kImport);
  const std::vector<std::string> rows = tdb_.Column("SELECT count(*) FROM IMP");
  for (int pair = 0; pair < 5; ++pair) {
    const std::vector<ToolRun> runs =
        RunTogether({Generate(kImport, Out("one.pdf")), Generate(kImport, Out("two.pdf"))});
    for (const ToolRun& run : runs) EXPECT_EQ(run.out, std::string(kOkLine) + kOkLine) << run.err;
    EXPECT_EQ(tdb_.Column("SELECT count(*) FROM IMP"), rows) << "pair " << pair;
    EXPECT_EQ(Text(Out("one.pdf")), text);
    EXPECT_EQ(Text(Out("two.pdf")), text);
  }
}

TEST_F(ConcurrentSessionsTest, AWaitIsSaidOnStderrAndEndsNamingTheDatabase) {
  const std::unique_ptr<CDataBase> other = tdb_.Open();
  ASSERT_TRUE(other->AcquirePrintLock(std::chrono::milliseconds(0)));
  const std::string database = "the database \"" + tdb_.connection() + "\"";
  const std::string in_json = "the database \\\"" + tdb_.connection() + "\\\"";
  ToolRun run = RunTool(Generate(kImport, Out("a.pdf"), "--lock-timeout 1"));
  EXPECT_EQ(run.status, 4);
  EXPECT_NE(run.err.find("tipolaria: Waiting up to 1 second for " + database), std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("Gave up after 1 second waiting for " + in_json), std::string::npos)
      << run.out;
  other->ReleasePrintLock();

  // Another program holding the database's write lock is waited for the
  // same way, through either backend, instead of silently for as long as
  // the engine lets a statement wait.
  other->BeginTrans();
  other->ExecuteSQL("INSERT INTO IMP VALUES (99, 0, 'c5', 'OTRO')");
  run = RunTool(Generate(kImport, Out("a.pdf"), "--lock-timeout 1"));
  EXPECT_EQ(run.status, 4);
  EXPECT_NE(run.err.find("tipolaria: Waiting up to 1 second for " + database), std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("Gave up after 1 second waiting for " + in_json), std::string::npos)
      << run.out;
  other->RollBackTrans();
  EXPECT_EQ(RunTool(Generate(kImport, Out("a.pdf"))).status, 0);
  EXPECT_FALSE(fs::exists(Out("a.pdf.print-lock")));
  EXPECT_TRUE(fs::exists(tdb_.folder() + "/customs.db.print-lock"));
}

// Whether the process `pid` has a file open under `folder`: it is writing
// its output there.
bool WritesUnder(pid_t pid, const std::string& folder) {
  const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(fds, ec)) {
    const fs::path target = fs::read_symlink(entry.path(), ec);
    if (!ec && target.string().rfind(folder, 0) == 0) return true;
  }
  return false;
}

TEST_F(ConcurrentSessionsTest, KilledOrInterruptedPrintsLeaveNoTemporaryFile) {
  for (const int signal_number : {SIGKILL, SIGTERM, SIGINT}) {
    const std::string folder = Out("signal-" + std::to_string(signal_number));
    fs::create_directories(folder);
    bool caught = false;
    // The print is interrupted while it has an output open; a run that ends
    // before it is seen doing so is tried again.
    for (int attempt = 0; attempt < 10 && !caught; ++attempt) {
      const std::vector<std::string> words = {
          TIPOLARIA_CLI, "generate",        "-c",    tdb_.connection(), "--iddtext", kImport,
          "--cover",     folder + "/c.pdf", "--png", folder + "/png"};
      std::vector<char*> argv;
      for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
      argv.push_back(nullptr);
      posix_spawn_file_actions_t actions;
      posix_spawn_file_actions_init(&actions);
      posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
      posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
      pid_t pid = 0;
      ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
      posix_spawn_file_actions_destroy(&actions);
      int status = 0;
      while (waitpid(pid, &status, WNOHANG) == 0) {
        if (WritesUnder(pid, folder)) {
          caught = true;
          kill(pid, signal_number);
          waitpid(pid, &status, 0);
          break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      }
    }
    EXPECT_TRUE(caught) << "signal " << signal_number;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
    }
  }
}

}  // namespace
}  // namespace tipolaria
