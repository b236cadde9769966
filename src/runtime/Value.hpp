// A field value as the loaders see it: Null, integer, exact decimal, binary
// floating point, text, date or Boolean. Database fields arrive as Values and
// the runtime's conversions (ValueToText, ValueToDecimal, ...) turn them into
// what a loader prints, with the original runtime's rules and errors.
#ifndef TIPOLARIA_RUNTIME_VALUE_HPP_
#define TIPOLARIA_RUNTIME_VALUE_HPP_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "runtime/Decimal.hpp"

namespace tipolaria {

// A calendar date with a time of day. Dates in the customs database carry no
// time zone.
struct DateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;

  bool IsMidnight() const { return hour == 0 && minute == 0 && second == 0; }
  friend bool operator==(const DateTime&, const DateTime&) = default;
  friend auto operator<=>(const DateTime&, const DateTime&) = default;

  // Reads 'YYYY-MM-DD', 'YYYY-MM-DD HH:MM:SS' (also with "T" and fractional
  // seconds, which are dropped). Nothing for anything else or an impossible day.
  static std::optional<DateTime> ParseIso(std::string_view text);
  // Reads day/month/year with four-digit year ('05/12/2026', also '5/12/2026'),
  // optionally followed by a blank and 'HH:MM:SS' as DateToText writes it.
  // Nothing for anything else or an impossible day.
  static std::optional<DateTime> ParseDmy(std::string_view text);
  // 'YYYY-MM-DD HH:MM:SS'
  std::string ToIso() const;

  // A real calendar day (leap years included) and time, in the years 100 to
  // 9999 that the original runtime's dates cover.
  bool IsValid() const;
  // The original runtime's date number: days since 30/12/1899, the time of
  // day as a fraction. Before that day the fraction is still counted forward
  // from midnight, so 29/12/1899 06:00 is -1.25.
  double ToSerial() const;
  // The date of a date number, to the nearest second; nothing outside the
  // years 100 to 9999.
  static std::optional<DateTime> FromSerial(double serial);
};

class Value {
 public:
  enum class Kind { kNull, kInteger, kDecimal, kDouble, kText, kDate, kBoolean };

  Value() = default;  // Null
  static Value Null() { return Value(); }
  Value(std::int64_t v) : data_(v) {}  // NOLINT: implicit, like the original's Variants
  Value(int v) : data_(static_cast<std::int64_t>(v)) {}  // NOLINT
  Value(Decimal v) : data_(v) {}                         // NOLINT
  Value(double v) : data_(v) {}                          // NOLINT
  Value(std::string v) : data_(std::move(v)) {}          // NOLINT
  Value(const char* v) : data_(std::string(v)) {}        // NOLINT
  Value(DateTime v) : data_(v) {}                        // NOLINT
  Value(bool v) : data_(v) {}                            // NOLINT

  Kind kind() const { return static_cast<Kind>(data_.index()); }
  bool IsNull() const { return kind() == Kind::kNull; }
  bool IsNumeric() const {
    return kind() == Kind::kInteger || kind() == Kind::kDecimal || kind() == Kind::kDouble;
  }

  // Direct access; calling the wrong one is a programming error (asserted).
  std::int64_t AsInteger() const { return std::get<std::int64_t>(data_); }
  const Decimal& AsDecimal() const { return std::get<Decimal>(data_); }
  double AsDouble() const { return std::get<double>(data_); }
  const std::string& AsText() const { return std::get<std::string>(data_); }
  const DateTime& AsDate() const { return std::get<DateTime>(data_); }
  bool AsBoolean() const { return std::get<bool>(data_); }

  friend bool operator==(const Value&, const Value&) = default;

 private:
  std::variant<std::monostate, std::int64_t, Decimal, double, std::string, DateTime, bool> data_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_RUNTIME_VALUE_HPP_
