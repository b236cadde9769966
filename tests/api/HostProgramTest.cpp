// A host's view: this program includes only the public headers and links
// only the shared library, on a database made by `tipolaria db init`.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tipolaria/cprint.hpp"
#include "tipolaria/error.hpp"

namespace {

class HostProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tipolaria-host-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    db_ = folder_ + "/aduana.db";
    const std::string init = std::string(TIPOLARIA_CLI) + " db init '" + db_ + "' > /dev/null";
    ASSERT_EQ(std::system(init.c_str()), 0);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string folder_;
  std::string db_;
};

TEST_F(HostProgramTest, LifeCycleOfThePublicClass) {
  tipolaria::CPrint print;
  try {
    print.GetCopias();
    FAIL() << "settings before Init must fail";
  } catch (const tipolaria::ComError& e) {
    EXPECT_EQ(e.source(), "GetCopias");
    EXPECT_EQ(e.description(), "Primero debe inicializar la dll");
  }
  print.SetHojaDesde(2);
  EXPECT_EQ(print.GetHojaDesde(), "2");

  EXPECT_TRUE(print.Init("Provider=SQLite;Data Source=" + db_));
  EXPECT_EQ(print.GetCopias(), "0");
  print.SetCopias(3);
  print.SetReferenciaCliente("Cliente 42");
  EXPECT_EQ(print.GetReferenciaCliente(), "Cliente 42");
  EXPECT_TRUE(print.CleanIMP());
  EXPECT_EQ(print.GetCopias(), "0");
  EXPECT_TRUE(print.InitializePagesData());
  EXPECT_EQ(print.GetHojaDesde(), "1");
  EXPECT_TRUE(print.Finalize());
  EXPECT_THROW(print.GetCopias(), tipolaria::ComError);
  EXPECT_THROW(print.InitializePagesData(), tipolaria::ComError);
}

TEST_F(HostProgramTest, FailingInitReportsTheConnectionError) {
  tipolaria::CPrint print;
  try {
    print.Init("sqlite:" + folder_ + "/otra.db");
    FAIL() << "opened a missing database";
  } catch (const tipolaria::ComError& e) {
    EXPECT_EQ(e.source(), "SQLite - CDataBase.Connect - Init");
    EXPECT_NE(e.description().find("otra.db"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/otra.db"));
  EXPECT_THROW(print.SetCopias(1), tipolaria::ComError);
}

TEST_F(HostProgramTest, DbInitRefusesToOverwrite) {
  const std::string again = std::string(TIPOLARIA_CLI) + " db init '" + db_ + "' 2> /dev/null";
  EXPECT_NE(std::system(again.c_str()), 0);
}

}  // namespace
