// The work table IMP is one per database: whatever reads or writes it does so
// while it holds the database's print lock, and lets go only after. The
// backend's calls are recorded in order (lock taken, IMP read and written,
// lock released) for the generation and for every kind of print, so that a
// read moved out of the lock's hold fails here, whichever backend runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "api/ComponentState.hpp"
#include "support/FaultyBackend.hpp"
#include "support/JsonResults.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/cprint.hpp"

namespace tipolaria {
namespace {

using testing::FaultyBackend;

using testing::kOk;
constexpr const char* kTaken = FaultyBackend::kPrintLockTaken;
constexpr const char* kReleased = FaultyBackend::kPrintLockReleased;
constexpr const char* kImpRead = "IMP read";
constexpr const char* kImpWritten = "IMP written";

class ImpUnderLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CPrint().Finalize();
    tdb_.RunScript("decl_catalogo.sql");
    tdb_.RunScript("decl_demo.sql");
  }
  void TearDown() override { CPrint().Finalize(); }

  // A new session whose backend records its calls.
  void Connect() {
    ASSERT_TRUE(print_.Init(tdb_.connection()));
    print_.SetOperDate("05/12/2026");
    detail::State().gDataBase = testing::OpenFaulty(tdb_.connection(), testing::Fault{}, &backend_);
  }

  // The calls of `operation` that take or release the print lock or reach
  // IMP, a run of reads or writes of IMP told once.
  template <typename Operation>
  std::vector<std::string> LockAndImpCalls(Operation&& operation) {
    static const std::regex kImp(R"(\bIMP\b)", std::regex::icase);
    const std::size_t from = backend_->calls().size();
    operation();
    std::vector<std::string> seen;
    for (std::size_t i = from; i < backend_->calls().size(); ++i) {
      const std::string& call = backend_->calls()[i];
      std::string event = call;
      if (call != kTaken && call != kReleased) {
        if (!std::regex_search(call, kImp)) continue;
        event = call.starts_with("SELECT") ? kImpRead : kImpWritten;
      }
      if (seen.empty() || seen.back() != event || event == kTaken || event == kReleased) {
        seen.push_back(event);
      }
    }
    return seen;
  }

  testing::TestDatabase tdb_;
  CPrint print_;
  FaultyBackend* backend_ = nullptr;
};

TEST_F(ImpUnderLockTest, AGenerationWritesAndReadsBackItsRowsWhileItHoldsTheLock) {
  Connect();
  const std::vector<std::string> calls = LockAndImpCalls([&] {
    EXPECT_EQ(print_.GenerateIMP("O'BRIEN", "26001IC04000123A", "", "05/12/2026 10:42:17", 1, "2",
                                 "", "", "", ""),
              kOk);
  });
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls.front(), kTaken);
  EXPECT_EQ(calls[1], kImpWritten);  // IMP is emptied first
  // The rows the session prints are read back before the lock goes.
  EXPECT_EQ(calls[calls.size() - 2], kImpRead);
  EXPECT_EQ(calls.back(), kReleased);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), kTaken), 1);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), kReleased), 1);

  // Its prints render what it read: they neither reach IMP nor lock.
  print_.SetHojaDesde(1);
  print_.SetHojaHasta(32767);
  const std::string folder = tdb_.folder();
  const std::vector<std::string> printing = LockAndImpCalls([&] {
    EXPECT_EQ(print_.PrintPDFCaratula(folder + "/cover.pdf"), kOk);
    EXPECT_EQ(print_.PrintPDFSubItems(folder + "/continuation.pdf"), kOk);
  });
  EXPECT_TRUE(printing.empty()) << printing.front();
}

TEST_F(ImpUnderLockTest, PrintsOfAnotherSessionsPagesReadImpWhileTheyHoldTheLock) {
  Connect();
  ASSERT_EQ(print_.GenerateIMP("O'BRIEN", "26001IC04000123A", "", "05/12/2026 10:42:17", 1, "2", "",
                               "", "", ""),
            kOk);
  const Session::Pages pages = detail::DefaultSession().GetPages();
  // A new session prints what the other one left in IMP.
  Connect();
  const std::vector<std::string> read_under_lock = {kTaken, kImpRead, kReleased};
  const std::string folder = tdb_.folder();
  for (const bool cover : {true, false}) {
    print_.CleanIMP();
    detail::State().gDriver->TotalHojas = pages.TotalHojas;
    print_.SetCaratulaHojas(static_cast<std::int16_t>(pages.CaratulaHojas));
    print_.SetHojaDesde(1);
    print_.SetHojaHasta(32767);
    const std::vector<std::string> calls = LockAndImpCalls([&] {
      EXPECT_EQ(cover ? print_.PrintPDFCaratula(folder + "/cover.pdf")
                      : print_.PrintPDFSubItems(folder + "/continuation.pdf"),
                kOk);
    });
    EXPECT_EQ(calls, read_under_lock) << (cover ? "PrintPDFCaratula" : "PrintPDFSubItems");
  }
  // The command line's print takes the table as its own, and `imp dump`
  // reads its rows, the same way.
  print_.CleanIMP();
  Session& session = detail::DefaultSession();
  const std::vector<std::string> calls =
      LockAndImpCalls([&] { EXPECT_GT(session.AdoptImpTable(), 0u); });
  EXPECT_EQ(calls, read_under_lock) << "AdoptImpTable";
  EXPECT_EQ(LockAndImpCalls([&] { EXPECT_FALSE(session.ReadImpRows().empty()); }), read_under_lock)
      << "ReadImpRows";
}

}  // namespace
}  // namespace tipolaria
