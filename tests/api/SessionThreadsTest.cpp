// Sessions of one process side by side: eight threads, each with a session of
// its own, generate and print different declarations on one database. Every
// document must be exactly the one the declaration gives printed alone (the
// print lock keeps the generations apart, each session prints its own
// snapshot with its own settings), every result OK, and nothing may hang.
// Built also under ThreadSanitizer (scripts/test), which must report nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/session.hpp"

namespace tipolaria {
namespace {

namespace fs = std::filesystem;

constexpr int kThreads = 8;
constexpr int kRounds = 25;

// Short declarations, so that two hundred rounds take seconds: imports and
// exports, two of them with continuation pages.
struct Declaration {
  const char* iddtext;
  const char* title;  // the reference the documents carry in their title
  bool continuation;
};
constexpr Declaration kDeclarations[] = {
    {"26001IC04000999Z", "OM - 1993 SIM 26   001   IC04   000999   Z", false},
    {"26033EC01000102P", "OM - 1993 SIM 26   033   EC01   000102   P", false},
    {"26046EC01000871K", "OM - 1993 SIM 26   046   EC01   000871   K", true},
    {"26079IC04000321C", "OM - 1993 SIM 26   079   IC04   000321   C", false},
    {"26073IC04000456B", "OM - 1993 SIM 26   073   IC04   000456   B", true},
};
constexpr int kDeclarationCount = static_cast<int>(std::size(kDeclarations));

class SessionThreadsTest : public ::testing::Test {
 protected:
  SessionThreadsTest() : tdb_(FastFolder()) {}
  void SetUp() override {
    for (const char* script :
         {"decl_catalogo.sql", "decl_incompleta.sql", "decl_sin_liquidacion.sql",
          "decl_exportacion.sql", "decl_desborde.sql"}) {
      tdb_.RunScript(script);
    }
  }

  static std::string FastFolder() {
    std::error_code ec;
    return fs::is_directory("/dev/shm", ec) ? "/dev/shm" : "";
  }

  // Generates declaration `index` in `session` with the settings that belong
  // to it, and prints its documents into `folder`, one after the other or
  // both at once; the JSON results.
  static std::vector<std::string> PrintDeclaration(Session& session, int index,
                                                   const std::string& folder,
                                                   bool both_at_once = false) {
    const Declaration& d = kDeclarations[index];
    session.CleanIMP();
    session.SetHojaDesde(1);
    session.SetHojaHasta(32767);
    session.SetCopias(static_cast<std::int16_t>(index + 1));
    session.SetReferenciaCliente("REF-" + std::to_string(index));
    std::vector<std::string> results;
    results.push_back(session.GenerateIMP("O'BRIEN, JUAN PATRICIO", d.iddtext, "",
                                          "05/12/2026 10:42:17", 1, "R", "", "", "", ""));
    if (both_at_once && d.continuation) {
      const Session::Documents printed =
          session.PrintPDFs(folder + "/cover.pdf", folder + "/continuation.pdf");
      results.push_back(printed.caratula);
      results.push_back(printed.sub_items);
      return results;
    }
    results.push_back(session.PrintPDFCaratula(folder + "/cover.pdf"));
    if (d.continuation) results.push_back(session.PrintPDFSubItems(folder + "/continuation.pdf"));
    return results;
  }

  Session& Open(Session& session) {
    session.Init(tdb_.connection());
    session.SetOperDate("05/12/2026");
    session.SetLockTimeout(60);
    return session;
  }

  testing::TestDatabase tdb_;
};

TEST_F(SessionThreadsTest, EightThreadsPrintTwoHundredDeclarationsEachAsPrintedAlone) {
  // Each declaration printed alone, read back once as a reader sees it.
  struct Expected {
    std::string cover;
    std::string continuation;
  };
  std::vector<Expected> expected(kDeclarationCount);
  Session alone;
  Open(alone);
  for (int i = 0; i < kDeclarationCount; ++i) {
    const std::string folder = tdb_.folder() + "/alone-" + std::to_string(i);
    fs::create_directories(folder);
    for (const std::string& result : PrintDeclaration(alone, i, folder)) {
      ASSERT_EQ(result, kJsonOk) << kDeclarations[i].iddtext;
    }
    ASSERT_EQ(testing::InfoField(folder + "/cover.pdf", "Title"), kDeclarations[i].title);
    expected[i].cover = testing::DocumentBytes(folder + "/cover.pdf");
    if (kDeclarations[i].continuation) {
      ASSERT_EQ(testing::InfoField(folder + "/continuation.pdf", "Title"), kDeclarations[i].title);
      expected[i].continuation = testing::DocumentBytes(folder + "/continuation.pdf");
    }
  }

  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      Session session;
      try {
        Open(session);
      } catch (const ComError& e) {
        ADD_FAILURE() << "thread " << t << ": " << e.description();
        return;
      }
      const std::string folder = tdb_.folder() + "/thread-" + std::to_string(t);
      fs::create_directories(folder);
      for (int round = 0; round < kRounds; ++round) {
        // Neighbouring threads print different declarations at each round,
        // every other round both documents at once.
        const int index = (t + round) % kDeclarationCount;
        const std::string what = "thread " + std::to_string(t) + " round " + std::to_string(round) +
                                 " " + kDeclarations[index].iddtext;
        for (const std::string& result : PrintDeclaration(session, index, folder, round % 2 == 1)) {
          EXPECT_EQ(result, kJsonOk) << what;
        }
        EXPECT_TRUE(testing::DocumentBytes(folder + "/cover.pdf") == expected[index].cover) << what;
        if (kDeclarations[index].continuation) {
          EXPECT_TRUE(testing::DocumentBytes(folder + "/continuation.pdf") ==
                      expected[index].continuation)
              << what;
        }
        fs::remove(folder + "/cover.pdf");
        fs::remove(folder + "/continuation.pdf");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
}

}  // namespace
}  // namespace tipolaria
