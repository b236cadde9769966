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

TEST(HostProgramTest, LifeCycleOfThePublicClassAndErrorsAcrossTheLibrary) {
  std::string folder = (std::filesystem::temp_directory_path() / "tipolaria-host-XXXXXX").string();
  ASSERT_NE(mkdtemp(folder.data()), nullptr);
  const std::string db = folder + "/aduana.db";
  const std::string init = std::string(TIPOLARIA_CLI) + " db init '" + db + "'";
  ASSERT_EQ(std::system((init + " > /dev/null").c_str()), 0);
  EXPECT_NE(std::system((init + " 2> /dev/null").c_str()), 0);  // never overwrites

  tipolaria::CPrint print;
  try {
    print.GetCopias();
    ADD_FAILURE() << "settings before Init must fail";
  } catch (const tipolaria::ComError& e) {
    EXPECT_EQ(e.source(), "GetCopias");
    EXPECT_EQ(e.description(), "Primero debe inicializar la dll");
  }
  EXPECT_TRUE(print.Init("Provider=SQLite;Data Source=" + db));
  print.SetCopias(3);
  EXPECT_EQ(print.GetCopias(), "3");
  EXPECT_TRUE(print.InitializePagesData());
  EXPECT_TRUE(print.Finalize());
  EXPECT_THROW(print.GetCopias(), tipolaria::ComError);
  std::filesystem::remove_all(folder);
}

}  // namespace
