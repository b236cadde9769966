// `tipolaria generate` as a script runs it: the built program on a database
// file, its standard output and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/PdfReadback.hpp"
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
  std::string out;
  char buffer[256];
  while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  const int raw = pipe == nullptr ? -1 : pclose(pipe);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

TEST(GenerateCommandTest, PrintsTheJsonResultAndExitsWithIt) {
  testing::TestDatabase tdb;
  tdb.Run(R"(
    INSERT INTO DDT (iddt, iddtext, ista, cddtbur) VALUES ('D1', '16001IC04000123A', 'X', '001');
    INSERT INTO BUR VALUES ('001', 'BUENOS AIRES', '2020-01-01', '2026-01-01');
  )");
  const std::string db = "-c '" + tdb.connection() + "' ";
  Outcome outcome = RunGenerate(db + "--iddtext 16001IC04000123A --idorig 16001IC04000777@ " +
                                "--referencia-cliente 'CLIENTE 7' --oper-date 31/12/2025");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "{\"Result\": \"OK\"}\n");
  // The office is valid only before 2026: the operation date was applied.
  EXPECT_EQ(tdb.Column("SELECT VALOR FROM IMP WHERE NRO_CAMPO IN ('c1', 'c3', 'cQOR1') "
                       "ORDER BY rowid"),
            (std::vector<std::string>{"BUENOS AIRES", "16   001   IC04   000777", "CLIENTE 7"}));

  outcome = RunGenerate(db + "--iddtext NOPE");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out,
            "{\"Result\": \"ERR\", \"errorMessage\": \"No se encontró la declaración 'NOPE'\", "
            "\"source\":\"GenerateIMP - GenerateIMP\"}\n");

  // Errors before the generation have no JSON result: stderr only.
  for (const std::string& arguments :
       {"-c 'sqlite:" + tdb.folder() + "/missing.db' --iddtext X",
        db + "--iddtext X --oper-date 2025-12-31", db + "--iddtext X --oper 70000", db}) {
    outcome = RunGenerate(arguments);
    EXPECT_NE(outcome.status, 0) << arguments;
    EXPECT_EQ(outcome.out, "") << arguments;
  }
}

TEST(GenerateCommandTest, PrintsBothDocumentsOfAWholeDeclaration) {
  testing::TestDatabase tdb;
  tdb.RunScript("decl_catalogo.sql");
  tdb.RunScript("decl_demo.sql");
  tdb.Run("CREATE TABLE cantidad_items AS SELECT 25 AS n;");
  tdb.RunScript("decl_items.sql");
  const std::string cover = tdb.folder() + "/cover.pdf";
  const std::string continuation = tdb.folder() + "/continuation.pdf";
  const Outcome outcome =
      RunGenerate("-c '" + tdb.connection() + "' --iddtext 26001IC04000777C --oper 1 " +
                  "--fecofi '05/12/2026 10:42:17' --oper-date 05/12/2026 --cover '" + cover +
                  "' --continuation '" + continuation + "'");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "{\"Result\": \"OK\"}\n{\"Result\": \"OK\"}\n{\"Result\": \"OK\"}\n");
  // The cover and 24 item pages; the continuation pages after them.
  EXPECT_EQ(testing::PageCount(cover), 25);
  const int total = std::stoi(tdb.Column("SELECT max(NRO_HOJA) FROM IMP").at(0));
  EXPECT_EQ(testing::PageCount(continuation), total - 25);
  const std::string last = testing::CommandOutput("pdftotext -f " + std::to_string(total - 25) +
                                                  " '" + continuation + "' -");
  EXPECT_NE(last.find(std::to_string(total) + " de " + std::to_string(total)), std::string::npos);
}

}  // namespace
}  // namespace tipolaria
