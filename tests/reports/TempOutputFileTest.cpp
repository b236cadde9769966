// What a killed print leaves in its folder on a file system without unnamed
// files (forced through the output files' test hook), and who removes it.
#include "reports/TempOutputFile.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

namespace fs = std::filesystem;

// The hidden files of `folder`.
std::set<std::string> HiddenFiles(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.front() == '.') names.insert(name);
  }
  return names;
}

// Writes and places `target` as a print does.
void PrintInto(const std::string& target) {
  TempOutputFile file(target, "PDF file");
  ASSERT_TRUE(file.Write("%PDF-1.5\n", 9));
  file.Commit();
}

class TempOutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TempOutputFile::SetFaultHookForTesting(
        [](const char* step) { return std::strcmp(step, "unnamed") == 0 ? EOPNOTSUPP : 0; });
  }
  void TearDown() override {
    TempOutputFile::SetFaultHookForTesting(nullptr);
    if (writer_ > 0) {
      ::kill(writer_, SIGKILL);
      ::waitpid(writer_, nullptr, 0);
    }
    fs::remove_all(folder_);
  }

  // Starts a process that writes `target` and stops before giving the file
  // its name; returns the hidden file it writes, once it is there.
  std::string StartWriterThatStops(const std::string& target) {
    const std::set<std::string> before = HiddenFiles(folder_);
    writer_ = ::fork();
    if (writer_ == 0) {
      TempOutputFile file(target, "PDF file");
      file.Write("%PDF-1.5\n", 9);
      file.Finish();
      for (;;) ::pause();
    }
    for (int tries = 0; tries < 5000; ++tries) {
      for (const std::string& name : HiddenFiles(folder_)) {
        if (!before.contains(name)) return name;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ADD_FAILURE() << "the writer made no hidden file";
    return "";
  }

  void Kill() {
    ::kill(writer_, SIGKILL);
    ::waitpid(writer_, nullptr, 0);
    writer_ = -1;
  }

  std::string folder_ = testing::MakeTempFolder();
  pid_t writer_ = -1;
};

TEST_F(TempOutputFileTest, AKilledWritersFileGoesWithTheNextPrintIntoItsFolder) {
  const std::string hidden = StartWriterThatStops(folder_ + "/cover.pdf");
  ASSERT_TRUE(hidden.starts_with(".cover.pdf.tmp-")) << hidden;
  // The same writer seen from another machine sharing the folder, and files
  // that are not a print's: none of them is this machine's to judge.
  const std::string tag = hidden.substr(std::strlen(".cover.pdf.tmp-"), 8);
  const std::string other_machine =
      ".cover.pdf.tmp-" + std::string(tag[0] == '0' ? "1" : "0") + hidden.substr(16);
  for (const std::string& name : {other_machine, std::string(".cover.pdf.tmp123456"),
                                  std::string(".cover.pdf.tmp-notes"), std::string(".keep")}) {
    std::ofstream(folder_ + "/" + name) << "x";
  }
  const std::set<std::string> others = {other_machine, ".cover.pdf.tmp123456",
                                        ".cover.pdf.tmp-notes", ".keep"};

  // A writer whose process id now belongs to another process (this one).
  const std::string reused = ".cover.pdf.tmp-" + tag + "-" + std::to_string(::getpid()) + "-1-0";
  std::ofstream(folder_ + "/" + reused) << "x";

  // While its writer lives, its file stays, whoever prints there; the file
  // of the writer whose id was reused goes.
  PrintInto(folder_ + "/cover.pdf");
  std::set<std::string> expected = others;
  expected.insert(hidden);
  EXPECT_EQ(HiddenFiles(folder_), expected);

  Kill();
  EXPECT_TRUE(fs::exists(folder_ + "/" + hidden));
  PrintInto(folder_ + "/continuation.pdf");
  EXPECT_EQ(HiddenFiles(folder_), others);
  EXPECT_TRUE(fs::exists(folder_ + "/cover.pdf"));
  EXPECT_TRUE(fs::exists(folder_ + "/continuation.pdf"));
}

}  // namespace
}  // namespace tipolaria
