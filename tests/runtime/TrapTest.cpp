#include "runtime/Trap.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tipolaria {
namespace {

int Inner() {
  return Trap("CInner.Work",
              [&]() -> int { throw ComError(3021, "Provider", "No current record"); });
}

int Outer() {
  return Trap("COuter.Run", [&] { return Inner(); });
}

TEST(TrapTest, SourceGrowsInnermostFirstAndKeepsNumberAndDescription) {
  try {
    Outer();
    FAIL() << "no error";
  } catch (const ComError& e) {
    EXPECT_EQ(e.number(), 3021);
    EXPECT_EQ(e.description(), "No current record");
    EXPECT_EQ(e.source(), "Provider - CInner.Work - COuter.Run");
  }
}

TEST(TrapTest, ForeignExceptionsBecomeComErrors) {
  try {
    Trap("CThing.Do", []() -> int { throw std::runtime_error("disk on fire"); });
    FAIL() << "no error";
  } catch (const ComError& e) {
    EXPECT_EQ(e.description(), "disk on fire");
    EXPECT_EQ(e.source(), "Tipolaria - CThing.Do");
  }
}

}  // namespace
}  // namespace tipolaria
