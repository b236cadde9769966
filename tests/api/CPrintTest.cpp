#include "tipolaria/cprint.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "api/ComponentState.hpp"
#include "api/JsonResult.hpp"
#include "support/ErrorNumber.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

using detail::State;

class CPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CPrint().Finalize();
    print_.SetHojaDesde(0);
    print_.SetHojaHasta(0);
  }
  void TearDown() override { CPrint().Finalize(); }

  // Pretends that the last generation produced `pages` pages.
  void Generated(std::int32_t pages) { State().gDriver->TotalHojas = pages; }

  testing::TestDatabase tdb_;
  CPrint print_;
};

// The range lives outside the driver; the settings live in the driver that
// Init or CleanIMP makes, shared by every CPrint.
TEST_F(CPrintTest, SettingsLiveInTheSharedDriverAndTheRangeOutlivesIt) {
  EXPECT_TRUE(print_.CleanIMP());  // a driver, but no database
  print_.SetCopias(2);
  EXPECT_EQ(print_.GetCopias(), "2");
  EXPECT_THROW(print_.InitializePagesData(), ComError);

  print_.SetHojaDesde(5);
  print_.SetHojaHasta(-1);  // stored unchecked
  ASSERT_TRUE(print_.Init(tdb_.connection()));
  EXPECT_EQ(print_.GetCopias(), "0");
  EXPECT_EQ(print_.GetCaratulaHojas(), "0");
  EXPECT_EQ(print_.GetReferenciaCliente(), "");
  print_.SetCopias(-3);
  print_.SetCaratulaHojas(4);
  print_.SetReferenciaCliente("REF O'Brien ñ");
  CPrint other;
  EXPECT_EQ(other.GetCopias(), "-3");
  EXPECT_EQ(other.GetCaratulaHojas(), "4");
  EXPECT_EQ(other.GetReferenciaCliente(), "REF O'Brien ñ");
  EXPECT_TRUE(other.CleanIMP());
  EXPECT_EQ(print_.GetCopias(), "0");
  EXPECT_EQ(print_.GetReferenciaCliente(), "");
  print_.Finalize();
  EXPECT_EQ(print_.GetHojaDesde(), "5");
  EXPECT_EQ(print_.GetHojaHasta(), "-1");
}

TEST_F(CPrintTest, SettingsWithoutADriverRaiseTheNotInitialisedError) {
  const struct {
    const char* member;
    std::function<void()> call;
  } cases[] = {
      {"GetCopias", [&] { print_.GetCopias(); }},
      {"SetCopias", [&] { print_.SetCopias(1); }},
      {"GetCaratulaHojas", [&] { print_.GetCaratulaHojas(); }},
      {"SetCaratulaHojas", [&] { print_.SetCaratulaHojas(1); }},
      {"GetReferenciaCliente", [&] { print_.GetReferenciaCliente(); }},
      {"SetReferenciaCliente", [&] { print_.SetReferenciaCliente("x"); }},
      {"InitializePagesData - InitializePagesData", [&] { print_.InitializePagesData(); }},
  };
  for (const auto& c : cases) {
    const ComError e = RaisedError(c.call);
    EXPECT_EQ(e.number(), detail::kErrNotInitialized);
    EXPECT_EQ(e.source(), c.member);
    EXPECT_EQ(e.description(), "Primero debe inicializar la dll");
  }
}

TEST_F(CPrintTest, AFailingInitLeavesNothingBehind) {
  print_.Init(tdb_.connection());
  const std::string missing = tdb_.folder() + "/nope.db";
  for (const std::string& bad : {"sqlite:" + missing, std::string("not a connection string")}) {
    const ComError e = RaisedError([&] { print_.Init(bad); });
    EXPECT_TRUE(e.source().ends_with(" - CDataBase.Connect - Init")) << bad << ": " << e.source();
    EXPECT_FALSE(e.description().empty());
    EXPECT_THROW(print_.GetCopias(), ComError);  // not initialised any more
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(CPrintTest, InitializePagesDataClampsTheRangeOneSidedAndSetsTheCounts) {
  print_.Init(tdb_.connection());
  struct Case {
    std::int16_t desde, hasta;
    std::int32_t total;
    const char* desde_after;
    const char* hasta_after;
  } cases[] = {
      {3, 5, 0, "1", "5"},     // before any generation, any first page becomes 1
      {10, 12, 8, "1", "12"},  // a last page beyond the count stays
      {6, 4, 8, "6", "8"},     // first after last: last becomes the count
      {0, 0, 8, "1", "1"},    {-2, -1, 8, "-2", "-1"},  // negative values stay
  };
  for (const Case& c : cases) {
    Generated(c.total);
    print_.SetHojaDesde(c.desde);
    print_.SetHojaHasta(c.hasta);
    EXPECT_TRUE(print_.InitializePagesData());
    EXPECT_EQ(print_.GetHojaDesde(), c.desde_after) << c.desde << ".." << c.hasta;
    EXPECT_EQ(print_.GetHojaHasta(), c.hasta_after) << c.desde << ".." << c.hasta;
  }
  // No copies and no cover pages become one of each; the copies go to the
  // print.
  EXPECT_EQ(print_.GetCopias(), "1");
  EXPECT_EQ(print_.GetCaratulaHojas(), "1");
  EXPECT_EQ(State().gDriver->NumeroCopias, 1);
  print_.SetCopias(2);
  print_.InitializePagesData();
  EXPECT_EQ(State().gDriver->NumeroCopias, 2);
  EXPECT_TRUE(State().form.IsLoaded());

  Generated(40000);  // more pages than a 16-bit range can hold
  print_.SetHojaDesde(6);
  print_.SetHojaHasta(4);
  const ComError e = RaisedError([&] { print_.InitializePagesData(); });
  EXPECT_EQ(e.description(),
            "Overflow: the declaration has more pages than the form can number (at most 32767)");
  EXPECT_EQ(e.source(), "Tipolaria - InitializePagesData");
}

TEST_F(CPrintTest, OperationDateIsTodayUntilReplaced) {
  print_.Init(tdb_.connection());
  const std::string today = State().gDataBase->OperDate();
  ASSERT_EQ(today.size(), 10u);
  EXPECT_EQ(today[2], '/');
  print_.SetOperDate("31/12/2025");
  EXPECT_EQ(State().gDataBase->OperDate(), "31/12/2025");
  for (const char* bad : {"2025-12-31", "31/02/2025", "", "1/1/2025"}) {
    EXPECT_THROW(print_.SetOperDate(bad), ComError) << bad;
  }
  EXPECT_EQ(State().gDataBase->OperDate(), "31/12/2025");
}

TEST(JsonResultTest, FailureTextIsAlwaysValidJson) {
  EXPECT_EQ(detail::JsonOk(), R"({"Result": "OK"})");
  const ComError error(5, "CDataBase.GetRs \\x", "dice \"hola\"\r\n\tfin\x01");
  EXPECT_EQ(detail::JsonFailure(error, "GenerateIMP"),
            R"({"Result": "ERR", "errorMessage": "dice \"hola\"\r\n\tfin\u0001", )"
            R"("source":"CDataBase.GetRs \\x - GenerateIMP"})");
  // Bytes that are no UTF-8 are read as Latin-1; a NUL is escaped, and so
  // are DEL and the C1 controls (0x82 here), which a terminal showing the
  // text could act on; valid UTF-8 stays as it is.
  const ComError bytes(5, std::string("a\0b\x7f", 4), "\xe9\xff \xc3\xa9 \xe2\x82");
  EXPECT_EQ(
      detail::JsonFailure(bytes, "X"),
      "{\"Result\": \"ERR\", \"errorMessage\": \"\xc3\xa9\xc3\xbf \xc3\xa9 \xc3\xa2\\u0082\", "
      "\"source\":\"a\\u0000b\\u007f - X\"}");
}

}  // namespace
}  // namespace tipolaria
