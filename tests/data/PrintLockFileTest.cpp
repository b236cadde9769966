// The print lock file beside an embedded database: what it does with a link
// at its name, and what it says when it cannot be made.
#include "data/PrintLockFile.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

namespace fs = std::filesystem;

// The description of the error that taking the lock raises, or "locked".
std::string TryLockSays(const std::string& database) {
  try {
    PrintLockFile lock(database);
    return lock.TryLock() ? "locked" : "taken";
  } catch (const ComError& e) {
    return e.description();
  }
}

// TryLockSays in a child process of a user who may not write `folder`:
// root (the tests' usual user on a build machine) writes everywhere, so the
// child becomes "nobody" first.
std::string TryLockSaysWithoutWriteAccess(const std::string& folder, const std::string& database) {
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec);
  int channel[2];
  if (::pipe(channel) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(1);
    const std::string said = TryLockSays(database);
    const bool written =
        ::write(channel[1], said.data(), said.size()) == static_cast<ssize_t>(said.size());
    ::_exit(written ? 0 : 1);
  }
  ::close(channel[1]);
  std::string said;
  char buffer[512];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  fs::permissions(folder, fs::perms::owner_all);
  return said;
}

TEST(PrintLockFileTest, ALinkAtItsNameIsRefusedNotFollowed) {
  const std::string folder = testing::MakeTempFolder();
  const std::string database = folder + "/customs.db";
  const std::string target = folder + "/elsewhere";
  fs::create_symlink(target, database + ".print-lock");
  EXPECT_EQ(TryLockSays(database), "Cannot open the print lock file \"" + database +
                                       ".print-lock\": it is a symbolic link, which is never "
                                       "followed (remove the link)");
  EXPECT_FALSE(fs::exists(target));
  // Nor is a link to an existing file locked in its stead.
  { std::ofstream(target) << ""; }
  EXPECT_NE(TryLockSays(database), "locked");
  fs::remove(database + ".print-lock");
  EXPECT_EQ(TryLockSays(database), "locked");
  EXPECT_TRUE(fs::is_regular_file(database + ".print-lock"));
  fs::remove_all(folder);
}

TEST(PrintLockFileTest, AFolderThatCannotHoldItSaysSo) {
  const std::string folder = testing::MakeTempFolder();
  const std::string database = folder + "/customs.db";
  EXPECT_EQ(TryLockSaysWithoutWriteAccess(folder, database),
            "Cannot create the print lock file \"" + database + ".print-lock\": Permission denied");
  // Once the file exists, a user who may not write it still locks it.
  EXPECT_EQ(TryLockSays(database), "locked");
  EXPECT_EQ(TryLockSaysWithoutWriteAccess(folder, database), "locked");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace tipolaria
