// What the tests of `tipolaria batch` share: a database with the catalogue
// and a declaration without continuation pages, an output folder, and the
// JSON lines a batch writes.
#ifndef TIPOLARIA_TESTS_CLI_BATCHFIXTURE_HPP_
#define TIPOLARIA_TESTS_CLI_BATCHFIXTURE_HPP_

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestDatabase.hpp"

namespace tipolaria::testing {

inline constexpr const char* kDemo = "26001IC04000123A";
inline constexpr const char* kWithoutContinuation = "26033EC01000102P";

// A generation syncs the database to disk some fifty times; on a memory file
// system a hundred of them take seconds instead of minutes.
inline std::string FastFolder() {
  std::error_code ec;
  return std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : "";
}

inline std::string CopyIddtext(int n) {
  char text[32];
  // Copy 7 carries a path separator, which its file names must not follow.
  std::snprintf(text, sizeof text, n == 7 ? "26001IC04/%05dA" : "26001IC04%06dA", n);
  return text;
}

inline std::string FileStem(const std::string& iddtext) {
  std::string stem = iddtext;
  if (const std::size_t slash = stem.find('/'); slash != std::string::npos) {
    stem.replace(slash, 1, "%2F");
  }
  return stem;
}

inline std::string OkLine(const std::string& iddtext, const std::string& out, bool continuation) {
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

  TestDatabase tdb_;
  std::string out_;
  std::string db_;
};

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_CLI_BATCHFIXTURE_HPP_
