#include "data/ServerCommands.hpp"

#include <algorithm>

#include "data/SqlText.hpp"

namespace tipolaria {
namespace {

// Parameter direction of a procedure's return value: no input of the call.
constexpr std::int32_t kDirReturnValue = 4;

// A value written as a T-SQL literal.
std::string Literal(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::kNull:
      return "NULL";
    case Value::Kind::kInteger:
      return std::to_string(v.AsInteger());
    case Value::Kind::kBoolean:
      return v.AsBoolean() ? "1" : "0";
    case Value::Kind::kDecimal:
      return v.AsDecimal().ToString();
    case Value::Kind::kDouble:
      return Decimal::FromDouble(v.AsDouble()).ToString();
    case Value::Kind::kDate:
      return "'" + v.AsDate().ToIso() + "'";
    case Value::Kind::kText:
      break;
  }
  return "'" + DoubleQuotes(v.AsText()) + "'";
}

}  // namespace

std::chrono::milliseconds AppLockWait(std::chrono::milliseconds wait) {
  return std::chrono::milliseconds(std::min<std::chrono::milliseconds::rep>(
      std::max<std::chrono::milliseconds::rep>(wait.count(), 0),
      std::chrono::milliseconds::rep{kCommandTimeoutSeconds} * 1000 - 1000));
}

std::string AppLockRequest(std::chrono::milliseconds wait) {
  return "DECLARE @r int; "
         "EXEC @r = sp_getapplock @Resource = N'tipolaria.IMP', @LockMode = N'Exclusive', "
         "@LockOwner = N'Session', @LockTimeout = " +
         std::to_string(AppLockWait(wait).count()) + "; SELECT @r AS r";
}

std::string AppLockRelease() {
  return "IF APPLOCK_MODE(N'public', N'tipolaria.IMP', N'Session') <> N'NoLock' "
         "EXEC sp_releaseapplock @Resource = N'tipolaria.IMP', @LockOwner = N'Session'";
}

std::string ExecText(const std::string& name, const std::vector<ProcedureParam>& params) {
  std::string text = "EXEC " + name;
  bool first = true;
  for (const ProcedureParam& p : params) {
    if (p.direction == kDirReturnValue) continue;
    text += (first ? " " : ", ") + p.name + " = " + Literal(p.value);
    first = false;
  }
  return text;
}

}  // namespace tipolaria
