// `tipolaria generate` as a script runs it: the built program on a database
// file, its standard output and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

struct Outcome {
  int status;
  std::string out;  // standard output only
};

Outcome RunGenerate(const std::string& arguments) {
  const std::string command =
      std::string(TIPOLARIA_CLI) + " generate " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, ""};
  std::string out;
  std::array<char, 256> buffer;
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) out += buffer.data();
  const int raw = pclose(pipe);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

class GenerateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.Run(R"(
      INSERT INTO DDT (iddt, iddtext, ista, cddtimpexp, cddtbur)
        VALUES ('D1', '16001IC04000123A', 'IC04', 'I', '001');
      INSERT INTO BUR VALUES ('001', 'BUENOS AIRES', '2020-01-01', '2026-01-01');
    )");
  }
  std::string Connection() const { return "'" + tdb_.connection() + "'"; }
  std::vector<std::string> Imp() const {
    return tdb_.Column(
        "SELECT NRO_CAMPO || '=' || VALOR FROM IMP "
        "WHERE NRO_CAMPO IN ('c1', 'c3', 'cQOR1', 'c144') ORDER BY rowid");
  }

  testing::TestDatabase tdb_;
};

TEST_F(GenerateCommandTest, SuccessPrintsOkAndAppliesTheOptions) {
  const Outcome outcome =
      RunGenerate("-c " + Connection() +
                  " --iddtext 16001IC04000123A --idorig 16001IC04000777@ --oper 0 --org ORG"
                  " --referencia-cliente 'CLIENTE 7' --oper-date 31/12/2025");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "{\"Result\": \"OK\"}\n");
  // The office is valid only before 2026: the operation date was applied.
  EXPECT_EQ(Imp(), (std::vector<std::string>{"c144=TIPOLARIA PROVISORIA - ORG", "c1=BUENOS AIRES",
                                             "c3=16   001   IC04   000777", "cQOR1=CLIENTE 7"}));
}

TEST_F(GenerateCommandTest, FailuresExitNonZero) {
  Outcome outcome = RunGenerate("-c " + Connection() + " --iddtext NOPE");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out,
            "{\"Result\": \"ERR\", \"errorMessage\": \"No se encontró la declaración 'NOPE'\", "
            "\"source\":\"GenerateIMP - GenerateIMP\"}\n");

  // Errors before the generation have no JSON result: stderr only.
  outcome = RunGenerate("-c 'sqlite:" + tdb_.folder() + "/missing.db' --iddtext X");
  EXPECT_NE(outcome.status, 0);
  EXPECT_EQ(outcome.out, "");
  outcome =
      RunGenerate("-c " + Connection() + " --iddtext 16001IC04000123A --oper-date 2025-12-31");
  EXPECT_NE(outcome.status, 0);
  EXPECT_EQ(outcome.out, "");
  EXPECT_NE(RunGenerate("-c " + Connection() + " --iddtext X --oper 70000").status, 0);
  EXPECT_NE(RunGenerate("-c " + Connection()).status, 0);  // --iddtext is required
}

}  // namespace
}  // namespace tipolaria
