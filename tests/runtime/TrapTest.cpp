#include "runtime/Trap.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "support/ErrorNumber.hpp"

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
  const ComError e = RaisedError([] { Outer(); });
  EXPECT_EQ(e.number(), 3021);
  EXPECT_EQ(e.description(), "No current record");
  EXPECT_EQ(e.source(), "Provider - CInner.Work - COuter.Run");
}

// Whatever is thrown becomes the component's error, the same way at every
// boundary (traps, JSON results, the C interface).
TEST(TrapTest, ForeignExceptionsBecomeComErrors) {
  const struct {
    std::function<void()> raise;
    long number;
    const char* description;
  } cases[] = {
      {[] { throw std::runtime_error("disk on fire"); }, kErrInternal, "disk on fire"},
      {[] { throw std::bad_alloc(); }, kErrOutOfMemory, "Out of memory"},
      {[] { throw 42; }, kErrInternal, "Internal error"},
  };
  for (const auto& c : cases) {
    const ComError e = RaisedError([&] { Trap("CThing.Do", c.raise); });
    EXPECT_EQ(e.number(), c.number);
    EXPECT_EQ(e.description(), c.description);
    EXPECT_EQ(e.source(), "Tipolaria - CThing.Do");
    try {
      c.raise();
    } catch (...) {
      EXPECT_EQ(CaughtError().description(), c.description);
    }
  }
}

}  // namespace
}  // namespace tipolaria
