// The prints the service keeps: found until they expire, then gone from
// memory and disk; never more than the most allowed; nothing left when the
// store ends.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "serve/PrintStore.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria::serve {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;

class PrintStoreTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(parent_); }

  // A print whose folder holds one file, kept now.
  std::shared_ptr<const StoredPrint> KeepOne(PrintStore& store) {
    Workspace workspace = store.NewWorkspace();
    PrintRecord record;
    record.cover = workspace.path() / "cover.pdf";
    std::ofstream(record.cover) << "%PDF";
    return store.Keep(std::move(workspace), std::move(record));
  }

  const std::string parent_ = testing::MakeTempFolder();
  Clock::time_point now_ = Clock::now();
  std::function<Clock::time_point()> clock_ = [this] { return now_; };
};

TEST_F(PrintStoreTest, PrintIsGoneWhenItExpires) {
  PrintStore store(parent_, seconds(600), 100, clock_);
  struct stat info {};
  ASSERT_EQ(::stat(store.folder().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);  // the clients' declarations are private

  auto print = KeepOne(store);
  const fs::path file = print->record.cover;
  EXPECT_EQ(print->id.size(), 32u);
  EXPECT_NE(KeepOne(store)->id, print->id);
  now_ += seconds(599);
  EXPECT_EQ(store.Find(print->id), print);
  // A response still reading the print keeps its file until it is done.
  now_ += seconds(1);
  EXPECT_EQ(store.Find(print->id), nullptr);
  EXPECT_TRUE(fs::exists(file));
  const fs::path folder = file.parent_path();
  print.reset();
  EXPECT_FALSE(fs::exists(folder));

  // Expired prints go also when nobody asks for them.
  const auto other = KeepOne(store)->record.cover.parent_path();
  now_ += seconds(600);
  EXPECT_EQ(store.RemoveExpired(), 1u);
  EXPECT_FALSE(fs::exists(other));
}

TEST_F(PrintStoreTest, KeepsAtMostTheMostAllowedDroppingTheOldest) {
  PrintStore store(parent_, seconds(600), 2, clock_);
  const std::string first = KeepOne(store)->id;
  now_ += seconds(1);
  const std::string second = KeepOne(store)->id;
  now_ += seconds(1);
  const std::string third = KeepOne(store)->id;
  EXPECT_EQ(store.size(), 2u);
  EXPECT_EQ(store.Find(first), nullptr);
  EXPECT_NE(store.Find(second), nullptr);
  EXPECT_TRUE(store.Remove(second));
  EXPECT_FALSE(store.Remove(second));
  EXPECT_NE(store.Find(third), nullptr);
}

TEST_F(PrintStoreTest, LeavesNothingBehind) {
  fs::path workspace_folder;
  {
    PrintStore store(parent_, seconds(600), 100, clock_);
    KeepOne(store);
    // A print under way that fails is never kept: its folder goes with it.
    {
      Workspace failed = store.NewWorkspace();
      workspace_folder = failed.path();
      std::ofstream(workspace_folder / "cover.pdf") << "%PDF";
    }
    EXPECT_FALSE(fs::exists(workspace_folder));
    EXPECT_EQ(std::distance(fs::directory_iterator(store.folder()), fs::directory_iterator()), 1);
  }
  EXPECT_TRUE(fs::is_empty(parent_));
}

}  // namespace
}  // namespace tipolaria::serve
