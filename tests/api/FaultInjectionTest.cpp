// Every statement of a whole generation fails in turn, and every step of the
// writing of a print: what a host then finds (the error's JSON, IMP, the
// print lock, the files on disk) and that the component still works.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "api/ComponentState.hpp"
#include "reports/TempOutputFile.hpp"
#include "support/FaultyBackend.hpp"
#include "support/JsonResults.hpp"
#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/cprint.hpp"

namespace tipolaria {
namespace {

namespace fs = std::filesystem;
using testing::Fault;
using testing::FaultyBackend;

using testing::kOk;
// gcc says so with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

// How thoroughly the generation's statements are failed. The embedded
// backend in a normal build: every statement, and the whole declaration
// generated again after each failure. Through ODBC: every statement, the
// whole declaration again after every tenth. Under the sanitizers, whose run
// is for the failure paths: every seventh statement and each statement that
// opens, closes or follows a page save, the declaration again after every
// fourth failure (each failure's run checks that what the failures before it
// left does not change its course).
struct Thoroughness {
  std::size_t fail_every;
  std::size_t regenerate_every;
};
Thoroughness ThoroughnessOfThisRun() {
  if (kSanitized) return {7, 4};
  if (testing::TestDatabase::ThroughOdbc()) return {1, 10};
  return {1, 1};
}

// The rows of IMP as "page|type|field|value", sorted.
using ImpRows = std::multiset<std::string>;

class FaultInjectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CPrint().Finalize();
    // The cover and the first item page.
    print_.SetHojaDesde(1);
    print_.SetHojaHasta(2);
    print_.SetLogo("");
    // The demo declaration: items pages and every continuation section.
    tdb_.RunScript("decl_catalogo.sql");
    tdb_.RunScript("decl_demo.sql");
    // Commits append to a log instead of creating and deleting a journal.
    tdb_.Run("PRAGMA journal_mode=WAL;");
  }
  void TearDown() override {
    TempOutputFile::SetFaultHookForTesting(nullptr);
    CPrint().Finalize();
    detail::State().settings.picture_folder.clear();
    fs::remove_all(out_);
  }

  // A fresh session whose statements go through a FaultyBackend failing
  // statement `number` (0: none).
  FaultyBackend* Connect(int number) {
    EXPECT_TRUE(print_.Init(tdb_.connection()));
    FaultyBackend* backend = nullptr;
    detail::State().gDataBase =
        testing::OpenFaulty(tdb_.connection(), Fault{"", 1, number}, &backend);
    return backend;
  }
  std::string Generate() {
    return print_.GenerateIMP("O'BRIEN, JUAN PATRICIO", "26001IC04000123A", "",
                              "05/12/2026 10:42:17", 1, "2", "", "", "", "");
  }
  ImpRows Imp() const {
    const auto rows = tdb_.Column(
        "SELECT NRO_HOJA || '|' || TIPO || '|' || NRO_CAMPO || '|' || ifnull(VALOR, 'NULL') "
        "FROM IMP");
    return ImpRows(rows.begin(), rows.end());
  }
  bool LockIsFree() const {
    auto other = tdb_.Open();
    if (!other->AcquirePrintLock(std::chrono::milliseconds(0))) return false;
    other->ReleasePrintLock();
    return true;
  }

  // Memory-backed where the machine has it: the loop commits some hundred
  // thousand statements.
  testing::TestDatabase tdb_{fs::is_directory("/dev/shm") ? "/dev/shm"
                                                          : fs::temp_directory_path().string()};
  CPrint print_;
  std::string out_ = testing::MakeTempFolder();
};

// The row an insert into IMP writes, as "page|type|field|value": the
// statement ends in "VALUES (page, type, 'field', 'value')", in either of
// the spellings the writers use.
std::string InsertedRow(const std::string& insert) {
  std::size_t pos = insert.find('(', insert.find("VALUES")) + 1;
  std::string row;
  for (int column = 0; column < 4; ++column) {
    while (insert[pos] == ' ' || insert[pos] == ',') ++pos;
    if (insert[pos] == '\'') {
      for (++pos; !(insert[pos] == '\'' && insert[pos + 1] != '\''); ++pos) {
        row += insert[pos];
        if (insert[pos] == '\'') ++pos;  // a doubled quote
      }
      ++pos;
    } else {
      while (insert[pos] != ',' && insert[pos] != ')') row += insert[pos++];
    }
    if (column < 3) row += '|';
  }
  return row;
}

TEST_F(FaultInjectionTest, EveryStatementOfAGenerationFailsInTurn) {
  // The statements of a clean generation, counted once.
  FaultyBackend* backend = Connect(0);
  const std::size_t opening = backend->log().size();
  ASSERT_EQ(Generate(), kOk);
  const std::vector<std::string> statements(backend->log().begin() + opening, backend->log().end());
  const ImpRows generated = Imp();
  ASSERT_GT(statements.size(), 100u);
  ASSERT_EQ(std::count(statements.begin(), statements.end(), "ROLLBACK"), 0);
  // Each page save is a transaction: the cover, the pages of the second
  // and third items, and the continuation pages.
  ASSERT_EQ(std::count(statements.begin(), statements.end(), "BEGIN"), 4);

  ImpRows before_save;            // IMP as the page save under way found it
  std::vector<std::string> save;  // the rows that save writes
  bool in_save = false;
  int failed = 0;
  const Thoroughness thoroughness = ThoroughnessOfThisRun();
  std::size_t chosen = 0;
  for (std::size_t k = 0; k < statements.size(); ++k) {
    const std::string& statement = statements[k];
    const bool at_a_save =
        statement == "BEGIN" || statement == "COMMIT" || (k > 0 && statements[k - 1] == "COMMIT");
    if (k % thoroughness.fail_every != 0 && !at_a_save && k + 1 != statements.size()) continue;
    ++chosen;
    SCOPED_TRACE("statement " + std::to_string(k + 1) + ": " + statement);
    // The same session and connection throughout: what a failure leaves
    // behind meets the next generation.
    const std::size_t logged = backend->log().size();
    EXPECT_TRUE(print_.CleanIMP());  // a new declaration, as a host starts one
    backend->FailStatementFromNow(static_cast<int>(k + 1));
    const std::string json = Generate();
    ++failed;
    // Up to its failure, the generation ran as a clean one runs, whatever
    // the failures before it left.
    std::vector<std::string> ran;
    for (std::size_t s = logged; s < backend->log().size() && ran.size() <= k; ++s) {
      if (backend->log()[s] != "ROLLBACK") ran.push_back(backend->log()[s]);
    }
    EXPECT_TRUE(std::equal(ran.begin(), ran.end(), statements.begin()) && ran.size() == k + 1)
        << "the generation took another course";
    // The error reaches the host with the statement and every procedure it
    // passed, from the database layer up to the member the host called.
    EXPECT_EQ(json.rfind(R"({"Result": "ERR", "errorMessage": "injected failure in: )", 0), 0u)
        << json;
    const std::size_t source = json.find(R"("source":"FaultyBackend - )");
    EXPECT_NE(source, std::string::npos) << json;
    EXPECT_TRUE(json.ends_with(R"( - GenerateIMP"})")) << json;
    if (statement != "BEGIN" && statement != "COMMIT") {
      EXPECT_NE(json.find(" - CDataBase.", source), std::string::npos) << json;
    }
    // Everything but the final read of the rows happens within the loading
    // of the declaration.
    if (k + 1 < statements.size()) {
      EXPECT_NE(json.find(" - CTipolaria.CargarCampos - GenerateIMP"), std::string::npos) << json;
    }
    EXPECT_TRUE(LockIsFree());

    // A page save is one transaction: failing any of its statements leaves
    // IMP as the save found it; once it has committed, its rows are there.
    const ImpRows after = Imp();
    if (statement == "BEGIN") {
      before_save = after;
      save.clear();
      in_save = true;
      for (std::size_t s = k + 1; s < statements.size() && statements[s] != "COMMIT"; ++s) {
        if (statements[s].starts_with("INSERT")) save.push_back(InsertedRow(statements[s]));
      }
    } else if (in_save) {
      EXPECT_EQ(after, before_save) << "a page save left part of its rows";
    }
    if (k > 0 && statements[k - 1] == "COMMIT") {
      for (const std::string& row : save) EXPECT_EQ(after.count(row), 1u) << row;
    }
    if (statement == "COMMIT") in_save = false;

    // The session generates the whole declaration again (after CleanIMP: a
    // driver counts its pages on from where its last generation stopped).
    if (chosen % thoroughness.regenerate_every == 0 || k + 1 == statements.size()) {
      EXPECT_TRUE(print_.CleanIMP());
      EXPECT_EQ(Generate(), kOk);
      EXPECT_EQ(Imp(), generated);
    }
    if (::testing::Test::HasFailure()) break;  // one statement's report is enough
  }
  std::cout << "[ statements ] failed " << failed << " of the " << statements.size()
            << " statements of the generation in turn\n";
  RecordProperty("statements_failed", failed);
  EXPECT_EQ(failed, static_cast<int>(chosen));
  if (thoroughness.fail_every == 1) {
    EXPECT_EQ(failed, static_cast<int>(statements.size()));
  }
}

// Lists the files of a folder with their contents.
std::map<std::string, std::string> Files(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    files[fs::relative(entry.path(), folder).string()] = content.str();
  }
  return files;
}

TEST_F(FaultInjectionTest, EveryStepOfWritingAPrintFailsInTurn) {
  Connect(0);
  ASSERT_EQ(Generate(), kOk);
  detail::State().settings.picture_folder = out_ + "/png";
  const std::string pdf = out_ + "/cover.pdf";
  // A print over earlier outputs, so that replacing them is tried too.
  ASSERT_EQ(print_.PrintPDFCaratula(pdf), kOk);
  const int pages = testing::PageCount(pdf);
  ASSERT_GT(pages, 1);

  std::vector<std::string> steps;
  TempOutputFile::SetFaultHookForTesting([&](const char* step) {
    steps.emplace_back(step);
    return 0;
  });
  ASSERT_EQ(print_.PrintPDFCaratula(pdf), kOk);
  const std::size_t count = steps.size();
  const auto earlier = Files(out_);
  ASSERT_EQ(earlier.size(), pages + 1u);  // the document and one picture a page
  for (const std::string step : {"create", "write", "finish", "commit", "replace"}) {
    EXPECT_NE(std::find(steps.begin(), steps.end(), step), steps.end()) << step;
  }

  // Every step but the writes in the middle of a file: its first and last
  // write stand for them.
  std::vector<std::size_t> chosen;
  for (std::size_t k = 0; k < count; ++k) {
    if (steps[k] != "write" || steps[k - 1] != "write" || steps[k + 1] != "write") {
      chosen.push_back(k);
    }
  }
  for (const std::size_t k : chosen) {
    std::size_t seen = 0;
    TempOutputFile::SetFaultHookForTesting([&](const char*) { return seen++ == k ? ENOSPC : 0; });
    const std::string json = print_.PrintPDFCaratula(pdf);
    SCOPED_TRACE("step " + std::to_string(k + 1) + " (" + steps[k] + "): " + json);
    EXPECT_NE(json.find("No space left on device"), std::string::npos);
    EXPECT_TRUE(json.ends_with(R"( - PrintPDFCaratula"})"));
    // Every file is the earlier one or a complete new one under its own
    // name (pictures are put in place before the document); nothing else.
    const auto now = Files(out_);
    EXPECT_EQ(now.size(), earlier.size());
    for (const auto& [name, content] : now) {
      ASSERT_TRUE(earlier.contains(name)) << name;
      EXPECT_TRUE(content == earlier.at(name)) << name << " was replaced";
    }
    EXPECT_TRUE(LockIsFree());
    if (::testing::Test::HasFailure()) break;
  }
  TempOutputFile::SetFaultHookForTesting(nullptr);
  std::cout << "[ steps      ] failed " << chosen.size() << " of the " << count
            << " steps of writing a print in turn\n";
  EXPECT_EQ(print_.PrintPDFCaratula(pdf), kOk);
  EXPECT_EQ(testing::PageCount(pdf), pages);
}

}  // namespace
}  // namespace tipolaria
